#pragma once

#include <QSet>

class QAccessibleEvent;
class TDownloadDocument;
class TFileLineWidget;

// The painted line list as assistive technology sees it: a list with one item per line, its
// text as the name, the active line selected and focused, and whether the line changed or
// differs from the reference in its description.
namespace FileLineAccessible {

// Gives view's line canvas that list, and tells assistive technology what changes: the
// active line, the lines of a load, edited lines and saved ones.
void Attach(TFileLineWidget *view, TDownloadDocument *document);

// Lines whose marks changed otherwise, as the reference's do.
void Descriptions_Changed(const TFileLineWidget *view, const QSet<int> &lines);

// Sees every event about the lines before assistive technology does, also while none
// listens (then nothing else is sent); none by default.
using Event_Observer = void (*)(const QAccessibleEvent &event);
void Observe_Events(Event_Observer observer);

} // namespace FileLineAccessible
