#pragma once

#include <QLineEdit>

// A folder box that, left empty, shows the folder it stands for: whole where the form has room
// for it, elided in the middle where it has not, and always whole as the box's tooltip.
class FolderBox : public QLineEdit {
    Q_OBJECT

  public:
    FolderBox(const QString& folder, QWidget* parent);

    // Wide enough for the whole folder, up to a limit.
    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The width the box has for its text.
    int Room() const;

    QString folder;
};
