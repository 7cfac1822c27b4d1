// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How far a calculation got, in words, from the last prompt answered:
// "共 3 个断面，已输入到第 2 号断面的第 5 个观测点".

#include <string>

#include "dialogue/user_interface.h"

namespace section {

std::string progressText(const Prompt& lastAnswered);

}  // namespace section
