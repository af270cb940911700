#pragma once

#include <QString>
#include <QUndoCommand>

class QUndoStack;
class TDownloadDocument;

// One change of one line of the document. Pushed, it makes the change; undo and redo
// put the one or the other text back.
class TLineChangeCommand : public QUndoCommand
{
public:
    TLineChangeCommand(TDownloadDocument *document, int index, QString new_text);

    void undo() override;
    void redo() override;

    // The line that the command changes.
    int Get_Line() const;

private:
    TDownloadDocument *d_document;
    int d_index;
    QString d_old_text;
    QString d_new_text;
};

// Changes line index of the document to text as one step that can be undone; a text that
// the line already holds is no change and no step.
void Push_Line_Change(QUndoStack *stack, TDownloadDocument *document, int index,
                      const QString &text);
