#pragma once
// Modal message boxes without an owner window: the start question, the
// fullscreen fallback question and every error the game reports to the user.

// Icons of the boxes, after the kinds of message they carry.
enum class MessageIcon { Information, Warning, Error, Question };

// Shows `text` with an OK button. When no box can be shown (no display), the
// message goes to standard error instead so it is not lost.
void showMessageBox(const char* caption, const char* text, MessageIcon icon);

// What a Yes/No question got back; NoAnswer when the box was closed without
// either button.
enum class Answer { Yes, No, NoAnswer };

// Yes/No question: Return answers Yes, Escape answers No. When no box can be
// shown (no display, or no fonts for it on the X server), the question and
// `answerWithoutBox` (Yes or No) are written to standard error and that answer
// is returned, so the game goes on.
Answer askYesNo(const char* caption, const char* text, MessageIcon icon, Answer answerWithoutBox);
