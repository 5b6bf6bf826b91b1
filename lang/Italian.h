#pragma once

#include "lang/TextSet.h"

namespace rectix::lang {

// The Italian window texts, grid column titles and UI text table slots.
const TextSet& italianTexts();

} // namespace rectix::lang
