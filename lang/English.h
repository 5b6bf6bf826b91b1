#pragma once

#include "lang/TextSet.h"

namespace rectix::lang {

// The English window texts, grid column titles and UI text table slots.
const TextSet& englishTexts();

} // namespace rectix::lang
