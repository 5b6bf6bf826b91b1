#pragma once

#include "lang/TextSet.h"

namespace rectix::lang {

// The French window texts, grid column titles and UI text table slots.
const TextSet& frenchTexts();

} // namespace rectix::lang
