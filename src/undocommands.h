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
    // Changes with the same merge key (0 or more) that follow each other on the stack are
    // one step, such as the keystrokes of one edit of the scale resolution field.
    TLineChangeCommand(TDownloadDocument *document, int index, QString new_text,
                       int merge_key = -1);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

    // The line that the command changes.
    int Get_Line() const;

private:
    TDownloadDocument *d_document;
    int d_index;
    QString d_old_text;
    QString d_new_text;
    int d_merge_key;
};

// Changes line index of the document to text as one step that can be undone; a text that
// the line already holds is no change and no step.
void Push_Line_Change(QUndoStack *stack, TDownloadDocument *document, int index,
                      const QString &text, int merge_key = -1);
