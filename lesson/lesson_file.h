#pragma once

#include "lesson/lesson.h"
#include "toolkit/errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace signova {

// The first problem found in a lesson's text, without the file's name:
// "parse error at line 3, column 1: ...", "/tables/iir/rows: ...".
class LessonProblem : public SignovaError {
public:
    using SignovaError::SignovaError;
};

// A lesson file that cannot be opened: "Cannot open lesson <path>: <problem>".
class LessonError : public FileNamingError {
public:
    LessonError(std::string_view path, std::string_view problem);
};

struct LessonRead {
    Lesson lesson;
    // Keys of the same major version that this program does not know, as JSON
    // pointers ("/views/cursors"), in the file's order of objects.
    std::vector<std::string> unknownKeys;
};

// Whether a file's first line names the lesson format: it opens the JSON
// object and holds the key "signova_lesson".
bool NamesLessonFormat(std::string_view firstLine);

// Reads and checks a whole lesson's text (docs/LESSON-FORMAT.md). Throws
// LessonProblem with the first problem; a key the file leaves out keeps its
// start-up value.
LessonRead ParseLesson(std::string_view text);

// Reads a lesson file: a regular file of at most MaxLessonFileSize bytes.
// Throws LessonError naming the file and its first problem.
LessonRead ReadLessonFile(const std::string& path);

// The lesson's text: UTF-8, the first line naming the format and its version,
// one setting per line, one table row per line. ParseLesson gives back the
// same lesson.
std::string LessonText(const Lesson& lesson);

} // namespace signova
