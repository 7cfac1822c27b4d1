// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Asking the user for one value, over and over until the answer is usable.
//
// A bad answer never ends the calculation: it gets a message that quotes it and
// says what is expected, then the same prompt again. Cancel at a prompt that
// wants a number abandons the whole calculation (CalculationCancelled).

#include <cstdint>
#include <string>

#include "dialogue/user_interface.h"

namespace section {

struct CalculationCancelled {};

// A value within the accepted range; `what` names it in messages ("高程",
// "间距", ...).
double askValue(UserInterface& ui, const Prompt& prompt, const std::string& what);

// A station, in metres ("1020.5") or in K notation ("K1+020.5") as survey
// files write it, other letters or none before the kilometres too
// ("ZK1+020.5", "0+000"); the messages as for any value. Its prefix as a
// survey keeps it (section/station.h): the letters typed, or for metres
// `prefix`, the section before's.
struct TypedStation {
    double metres = 0.0;
    std::string prefix;
};
TypedStation askStation(UserInterface& ui, const Prompt& prompt, const std::string& prefix = {});

// A whole number within min..max (a fraction is refused, not rounded); `what`
// names it in messages.
std::int16_t askCount(UserInterface& ui, const Prompt& prompt, int min, int max,
                      const std::string& what);

// The answer as typed; Cancel gives the empty text.
std::string askText(UserInterface& ui, const Prompt& prompt);

// A confirm prompt: true when the user asks to enter the value again (answers a
// number equal to zero, or cancels: a rejected value is never taken); false
// when the value is accepted (an empty answer or a number other than zero).
// Any other answer gets a message and the same prompt again.
bool wantsReentry(UserInterface& ui, const Prompt& prompt);

}  // namespace section
