// The forms on a desktop as a user has it: texts fit, a screen reader names, passwords read.
#include "gui/ProgramStyle.h"
#include "tests/support/GuiSupport.h"

namespace {

// Whether the text, less its access-key marks, fits the rectangle in the widget's font.
bool Fits(const QWidget& widget, QString text, const QRect& room) {
    text.remove(QRegularExpression("&(?!&)"));
    const QFontMetrics metrics = widget.fontMetrics();
    return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
}

// Where a button, option or label draws its text. A folder box shows its folder whole, so the
// folder (its tooltip) must fit as well.
std::pair<QStringList, QRect> TextAndRoom(const QWidget& control) {
    const QStyle& style = *control.style();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const bool radio = qobject_cast<const QRadioButton*>(button);
        return {{button->text()},
                style.subElementRect(radio ? QStyle::SE_RadioButtonContents
                                           : QStyle::SE_PushButtonContents,
                                     &option, button)};
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control); label && !label->wordWrap())
        return {{label->text()}, label->contentsRect()};
    if (const auto* box = qobject_cast<const QLineEdit*>(&control);
        box && !box->placeholderText().isEmpty()) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = 1;
        return {
            {box->placeholderText(), box->toolTip()},
            style.subElementRect(QStyle::SE_LineEditContents, &option, box).adjusted(2, 0, -2, 0)};
    }
    return {};
}

// Every control the form shows lies inside its parent and has room for each of its texts.
void ExpectTextsFit(const QWidget& form) {
    for (const QWidget* control : form.findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
            !control->isVisibleTo(&form))
            continue;
        const QString where = control->objectName();
        QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(where));
        const auto [texts, room] = TextAndRoom(*control);
        for (const QString& text : texts)
            QVERIFY2(text.isEmpty() || Fits(*control, text, room), qPrintable(where + ": " + text));
    }
}

} // namespace

class DesktopTest : public QObject, protected Fixture {
    Q_OBJECT

    QFont designFont;

  private slots:
    void initTestCase() {
        QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
        designFont = QApplication::font();
    }

    void init() { Start(); }

    void cleanup() {
        QApplication::setFont(designFont);
        Finish();
    }

    // Each form at the usual desktop font sizes, each of its tabs in turn.
    void formsFitTheirFont_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("points");
        for (const char* form :
             {"frmKetterby", "frmAccounts", "frmNewEntry", "frmInputForm", "frmAbout"})
            for (int points = 8; points <= 12; ++points)
                QTest::addRow("%s at %d pt", form, points) << QString(form) << points;
    }

    void formsFitTheirFont() {
        QFETCH(QString, form);
        QFETCH(int, points);
        QFont font = designFont;
        font.setPointSize(points);
        QApplication::setFont(font);
        Environment::SetDataFolder("/home/alexandra/.local/share/Ketterby/");
        window = std::make_unique<frmKetterby>();
        const QString store = folder->File("s.mdb");
        MakeStore(store, KeyOf("pw"), {{"Default", Entries(17)}});
        const Session session(store, KeyOf("pw")); // the New Entry dialog adds to an open store
        std::unique_ptr<QWidget> dialog;
        if (form == "frmAccounts")
            dialog = std::make_unique<frmAccounts>(*window);
        else if (form == "frmNewEntry")
            dialog = std::make_unique<frmNewEntry>(session, "gen");
        else if (form == "frmInputForm")
            dialog = std::make_unique<frmInputForm>();
        else if (form == "frmAbout")
            dialog = std::make_unique<frmAbout>();
        Environment::SetDataFolder(folder->Path());
        QWidget& shown = dialog ? *dialog : *window;
        if (!dialog) {
            LogIn(store, KeyOf("pw"));
            Named<QComboBox>("cmbPasswordLength")->setCurrentIndex(19);
            Named<QPushButton>("cmdGenerate")->click();
        }
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        auto* tabs = shown.findChild<QTabWidget*>("SSTab1");
        for (int tab = 0; tab < (tabs ? std::min(tabs->count(), 3) : 1); ++tab) { // not Exit
            if (tabs)
                tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            ExpectTextsFit(shown);
        }
        if (dialog)
            return;
        // The grid's header and 17 rows, and the 20 generated passwords, show without scrolling.
        for (const char* name : {"msgMSFlexGrid", "PasswordList"}) {
            const auto* area = Named<QAbstractScrollArea>(name);
            QVERIFY2(!area->horizontalScrollBar()->isVisible() &&
                         !area->verticalScrollBar()->isVisible(),
                     name);
        }
    }

    // Passwords in a fixed-pitch font, a cut cell's text as a tooltip, icons sharp at scale 2; a
    // screen reader names each control by what it is, and tells a chooser's value apart.
    void readsClearly() {
        QStringList names; // what a screen reader says of each control, and of a chooser its value
        for (const char* name :
             {"Frame4", "Frame5", "txtText", "cmbCurrentTable", "cmbPasswordLength"}) {
            QAccessibleInterface* control = QAccessible::queryAccessibleInterface(Named(name));
            names << control->text(QAccessible::Name) + "|" + control->text(QAccessible::Value);
        }
        QCOMPARE(names, (QStringList{"Character class|", "Letter case|", "Edit entry field|",
                                     "Current table|", "Password size|10"}));
        const QString store = folder->File("s.mdb");
        MakeStore(store, KeyOf("pw"),
                  {{"Default", {{"1/2/26", QString(80, 'd'), "u", QString(40, 'l')}}}});
        LogIn(store, KeyOf("pw"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* grid = Named<FlexGrid>("msgMSFlexGrid");
        for (const QFont& font : {grid->model()->index(1, 4).data(Qt::FontRole).value<QFont>(),
                                  Named("PasswordList")->font()})
            QCOMPARE(QFontMetrics(font).horizontalAdvance("lI1"),
                     QFontMetrics(font).horizontalAdvance("WO0"));
        for (const int col : {3, 2, 4}) { // forty l would fit the column, but not fixed-pitch
            const QPoint cell = grid->CellRect(1, col).center() - grid->viewport()->pos();
            QHelpEvent help(QEvent::ToolTip, cell, grid->viewport()->mapToGlobal(cell));
            QCoreApplication::sendEvent(grid->viewport(), &help);
            QCOMPARE(QToolTip::text(), col == 3 ? QString() : grid->TextMatrix(1, col));
        }
        for (const auto icon : {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning,
                                QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxQuestion})
            QCOMPARE(QApplication::style()->standardIcon(icon).pixmap(QSize(32, 32), 2).size(),
                     QSize(64, 64));
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
