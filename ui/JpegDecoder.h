#pragma once

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <stdexcept>

namespace rectix::ui {

// A picture the JPEG library could not decode; the text is the library's message.
class JpegError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Decodes a JPEG picture held in memory with the JPEG library.
class JpegDecoder {
  public:
    // An RGB picture of the data's size. Any error or warning of the library, a picture cut
    // short or damaged included, raises a JpegError: there is never half a picture.
    static QImage decode(const unsigned char* data, std::size_t size);
    static QImage decode(const QByteArray& data);
};

} // namespace rectix::ui
