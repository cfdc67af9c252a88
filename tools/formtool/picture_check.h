#pragma once
// What `formtool compile` does not look at but an author wants to hear of at once: a picture or
// icon the form names that the toolbox could not show (a damaged or half-written file).
#include <string>

namespace formtool {

// "windows[0].units[4].properties.Picture.file: not a picture: FILE (REASON)" for the first
// picture or icon property of a form source whose file does not decode; empty when they all do
// or the source cannot be read (compiling it says why).
std::string UnreadablePicture(const std::string& formPath);

}  // namespace formtool
