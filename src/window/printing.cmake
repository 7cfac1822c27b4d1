# The calculation sheet on the default printer: the Qt print device and the
# CUPS checks of the default queue and of the job.
find_path(CUPS_INCLUDE_DIR cups/cups.h REQUIRED)
find_library(CUPS_LIBRARY cups REQUIRED)

add_library(window_printing STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sheet_printer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/painter_printer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_queue.cpp
)
target_include_directories(window_printing
  PUBLIC ${PROJECT_SOURCE_DIR}/src
  PRIVATE ${CUPS_INCLUDE_DIR})
target_link_libraries(window_printing
  PUBLIC Qt6::Core Qt6::Gui
  PRIVATE Qt6::PrintSupport printout section ${CUPS_LIBRARY} velmorin_warnings)
