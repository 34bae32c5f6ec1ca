// The accessible interface of the program's combo boxes: named by their names.
#include "gui/AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace {

// As Qt's own interface, the box's children are its list of items and, where the box can be
// typed in, its text box; its value is the current text. That value is also the box's text, the
// form in which a screen reader on Linux reads it without opening the box.
class AccessibleComboBox : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    int childCount() const override { return Box()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        QWidget* const children[] = {Box()->view(), Box()->lineEdit()};
        const bool exists = index >= 0 && index < childCount();
        return exists ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child->object() == Box()->view())
            return 0;
        return Box()->lineEdit() && child->object() == Box()->lineEdit() ? 1 : -1;
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? Value() : QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            Box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The value as read-only text, without a caret or a selection.
    QString text(int start, int end) const override {
        return Value().mid(start, end < 0 ? -1 : end - start);
    }
    int characterCount() const override { return int(Value().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
    QString Value() const { return Box()->currentText(); }
};

QAccessibleInterface* MakeAccessibleComboBox(const QString&, QObject* object) {
    auto* box = qobject_cast<QComboBox*>(object);
    return box ? new AccessibleComboBox(box) : nullptr;
}

} // namespace

void InstallAccessibleComboBoxes() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeAccessibleComboBox);
        return true;
    }();
    Q_UNUSED(installed);
}
