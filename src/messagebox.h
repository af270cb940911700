#pragma once

#include <QMessageBox>

// The program's message box: bold main text over a normal-weight explanation,
// buttons without icons, always exactly 500 pixels wide.
class TMessageBox : public QMessageBox
{
public:
    explicit TMessageBox(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

public:
    virtual void Set_Text(const QString &text);
    virtual void Set_Informative_Text(const QString &text);

private:
    // The texts' format with a colour that reads well on the box's palette.
    QString In_Text_Colour(const QString &format) const;

    int d_fixed_width = 500;
};
