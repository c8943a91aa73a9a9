// A catalog many times the size of the shipped one, for timing the search where
// reading and parsing dominate. Rows are the shipped rows repeated verbatim: the
// search never looks for duplicates, so each copy costs exactly what a new,
// different row of the same shape would.
#pragma once

#include <string>

namespace vantrel::bench {

/// Writes `copies` back-to-back copies of the catalog rows of `source` to
/// `target`, each row ended by LF. False, with `error` set, on any I/O failure.
bool writeRepeatedCatalog(const std::string& source, const std::string& target, int copies, std::string& error);

/// A fresh directory under the system temporary directory, removed with
/// everything in it when the object goes away.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    /// Empty when the directory could not be created.
    const std::string& path() const { return path_; }
    /// `path()`/name.
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace vantrel::bench
