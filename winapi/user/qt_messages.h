// Which of Qt's own messages reach the standard error stream.
#pragma once

namespace winapi::user {

enum class QtMessageAudience {
    // A program on a desktop.
    Desktop,
    // A run that shows no window and belongs to no desktop session.
    Headless,
};

// Holds back the messages that say nothing to the audience; every other
// message goes where it went. Qt's complaints that it could not paint a
// window (when memory for its backing store ran out) are held back for
// both: USER reports that itself (lack_of_memory.h). A headless run also
// drops Qt's note that the session has no runtime folder.
void FilterQtMessages(QtMessageAudience audience);

}
