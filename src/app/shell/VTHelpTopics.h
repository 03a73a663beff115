#pragma once

#include <string>
#include <vector>

// The program's help topics. Each contraption kind has its maker's topic; the others are here.
// Every topic is one HTML page "<number>.html" in the help folder beside the program; the
// contents page is "contents.html".
namespace VTHelpTopics {

// Asked of the help viewer, shows the contents (no maker has topic 0: it means "no help").
inline constexpr int kContents = 0;
inline constexpr int kIntroduction = 2000;
inline constexpr int kSettings = 2001;
inline constexpr int kExport = 2002;
inline constexpr int kModulation = 2003;

std::string pageFileName(int topic);

// Every topic the program can open: the contents, the fixed topics and those of every
// registered maker, in ascending order without repeats.
std::vector<int> openableTopics();

// The help folder beside the program: "<program directory>help/".
std::string defaultHelpDirectory();

}  // namespace VTHelpTopics
