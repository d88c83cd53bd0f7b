// What watches a file's bytes as a reader reads them: the line reader of a
// run hands each read to it, so that a scanner of a lower floor (the
// encoding scan) sees the same bytes without reading the file again.
#pragma once

#include <cstddef>

namespace corvel {

// Sees every byte a LineReader reads from its file, in order, once per read
// (not per line), before any line of those bytes is handed out.
class ReadObserver {
public:
    virtual ~ReadObserver() = default;
    virtual void bytesRead(const char* data, std::size_t size) = 0;
};

}  // namespace corvel
