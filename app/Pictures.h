#pragma once

#include <QImage>

namespace rectix::app {

// The program's own pictures, shipped inside it as JPEG data and decoded with the JPEG library.
class Pictures {
  public:
    // 400 x 300.
    static QImage splash();
    static QImage acknowledgements();
};

} // namespace rectix::app
