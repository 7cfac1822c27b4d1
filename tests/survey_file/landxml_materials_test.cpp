// SPDX-License-Identifier: GPL-3.0-or-later
// A material's area is the exact area of its points: a base of 2.415 by
// 1.1 m is 2.6565 m², which the sheet's rule rounds to 2.656, while the
// 64-bit sum edge by edge is 2.656500000000051.

#include <gtest/gtest.h>

#include "runtime/number_format.h"
#include "survey_file/landxml.h"

TEST(LandXmlMaterials, an_area_on_a_half_is_rounded_from_its_exact_value) {
    const survey_file::SurveyRead read = survey_file::readLandXml(R"(<?xml version="1.0"?>
<LandXML><Alignments><Alignment name="A"><CrossSects><CrossSect sta="0">
  <DesignCrossSectSurf name="Pavement" closedArea="true"><PntList2D>0 111 1 111 1 112</PntList2D>
  </DesignCrossSectSurf>
  <DesignCrossSectSurf name="Base" closedArea="true">
    <PntList2D>0.023 109.585 2.438 109.585 2.438 110.685 0.023 110.685</PntList2D>
  </DesignCrossSectSurf>
</CrossSect></CrossSects></Alignment></Alignments></LandXML>)");
    ASSERT_TRUE(read.landXml) << read.error.message;
    ASSERT_EQ(read.landXml->materials.size(), 1u);
    EXPECT_EQ(runtime::roundedFixed3(runtime::shortestDecimal(read.landXml->materials[0].area)),
              "2.656");
}
