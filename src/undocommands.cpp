#include "undocommands.h"

#include "downloaddocument.h"

#include <QUndoStack>

#include <utility>

namespace {

// The one kind of command that merges.
constexpr int Mergeable_Line_Change = 1;

} // namespace

TLineChangeCommand::TLineChangeCommand(TDownloadDocument *document, int index, QString new_text,
                                       int merge_key)
    : d_document(document)
    , d_index(index)
    , d_old_text(document->Get_Line(index))
    , d_new_text(std::move(new_text))
    , d_merge_key(merge_key)
{}

void TLineChangeCommand::undo()
{
    d_document->Set_Line(d_index, d_old_text);
}

void TLineChangeCommand::redo()
{
    d_document->Set_Line(d_index, d_new_text);
}

int TLineChangeCommand::id() const
{
    return d_merge_key < 0 ? -1 : Mergeable_Line_Change;
}

bool TLineChangeCommand::mergeWith(const QUndoCommand *other)
{
    const auto &next = static_cast<const TLineChangeCommand &>(*other);
    if (next.d_merge_key != d_merge_key || next.d_index != d_index)
        return false;
    d_new_text = next.d_new_text;
    // Typed back to where it started, the step is none and leaves the stack.
    setObsolete(d_new_text == d_old_text);
    return true;
}

int TLineChangeCommand::Get_Line() const
{
    return d_index;
}

void Push_Line_Change(QUndoStack *stack, TDownloadDocument *document, int index,
                      const QString &text, int merge_key)
{
    if (text != document->Get_Line(index))
        stack->push(new TLineChangeCommand(document, index, text, merge_key));
}
