# The calculation sheet on the default printer (Qt print device, CUPS checks).
add_library(window_printing STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sheet_printer.cpp
)
target_include_directories(window_printing PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(window_printing
  PUBLIC Qt6::Core Qt6::Gui
  PRIVATE section velmorin_warnings)
