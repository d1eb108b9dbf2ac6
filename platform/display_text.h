// How a text's bytes are shown on screen: UTF-8 when they are valid UTF-8, else GBK (names from
// Windows archives), else UTF-8 with replacement characters. The bytes themselves never change.
#pragma once

#include <QString>
#include <string_view>

QString DisplayText(std::string_view bytes);
