#pragma once

#include "ui/layout.h"

#include <string_view>

namespace cratefall::ui {

// The designed layout of every screen, by screen name ("Form1".."Form13", "Aboutmeform").
const FormDesign& layout(std::string_view formName);

namespace layouts {
extern const FormDesign form1;
extern const FormDesign form2;
extern const FormDesign form3;
extern const FormDesign form4;
extern const FormDesign form5;
extern const FormDesign form6;
extern const FormDesign form7;
extern const FormDesign form8;
extern const FormDesign form9;
extern const FormDesign form10;
extern const FormDesign form11;
extern const FormDesign form12;
extern const FormDesign form13;
extern const FormDesign aboutmeform;
} // namespace layouts

} // namespace cratefall::ui
