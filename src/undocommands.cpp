#include "undocommands.h"

#include "downloaddocument.h"

#include <QUndoStack>

#include <utility>

TLineChangeCommand::TLineChangeCommand(TDownloadDocument *document, int index, QString new_text)
    : d_document(document)
    , d_index(index)
    , d_old_text(document->Get_Line(index))
    , d_new_text(std::move(new_text))
{}

void TLineChangeCommand::undo()
{
    d_document->Set_Line(d_index, d_old_text);
}

void TLineChangeCommand::redo()
{
    d_document->Set_Line(d_index, d_new_text);
}

int TLineChangeCommand::Get_Line() const
{
    return d_index;
}

void Push_Line_Change(QUndoStack *stack, TDownloadDocument *document, int index,
                      const QString &text)
{
    if (text != document->Get_Line(index))
        stack->push(new TLineChangeCommand(document, index, text));
}
