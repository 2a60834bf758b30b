// What a screen reader finds on every screen, through Qt's accessibility layer: labels read as
// text named by their captions, pictures as graphics named by their lettering, buttons as Qt's
// own, the name box named by the label above it, lines not at all, and each window named by its
// caption, a frame or a dialog, with what it waits for as its description, and focused when no
// control of its has the keys; and the face every text is drawn in.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "shell/screen_names.h"
#include "ui/form_window.h"
#include "ui/qt_text.h"
#endif

#include <QAccessible>
#include <QFontInfo>
#include <QTest>
#include <algorithm>
#include <ranges>

using cratefall::testing::GameFixture;
using cratefall::ui::ControlKind;
using cratefall::ui::qtext;
namespace screens = cratefall::shell::screens;

namespace {

// Pictures with words on them and text boxes, by control name: what a reader names them.
using Names = QMap<QString, QString>;

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString name(QObject* object)
{
    return accessible(object)->text(QAccessible::Name);
}

QStringList actions(QObject* object)
{
    return accessible(object)->actionInterface()->actionNames();
}

QAccessible::Role expectedRole(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return QAccessible::StaticText;
    case ControlKind::Picture:
        return QAccessible::Graphic;
    case ControlKind::Button:
        return QAccessible::Button;
    case ControlKind::TextBox:
        return QAccessible::EditableText;
    case ControlKind::Line:
        break;
    }
    return QAccessible::NoRole;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As with a screen reader running: Qt then asks for a widget's interface at every change
        // it reports, some while the widget is still being built, and keeps what it got.
        QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
        QAccessible::setActive(true);
    }

    void everyScreenReadsAsItIsDrawn_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("description");
        QTest::addColumn<Names>("names");
        // Whether the window itself has the keys, none of its controls taking the focus.
        QTest::addColumn<bool>("holdsKeys");
        const auto isLevel = [](std::string_view screen) {
            return std::ranges::find(screens::levels, screen) != screens::levels.end();
        };
        for (const std::string_view screen : screens::all) {
            const bool dialog = screen == screens::howToPlay || screen == screens::about;
            const bool focusesControl = dialog || screen == screens::victory;
            Names names;
            if (screen == screens::about)
                names = {{"Image6", "About Mokram"},
                         {"Image7", "Cratefall, cratefall@example.org, 2026"},
                         {"Label3", "Contact: Cratefall, cratefall@example.org, 2026"}};
            if (screen == screens::victory)
                names = {{"Text1", "Type your name below and click the red button to print a "
                                   "Winning certificate"}};
            QString description;
            if (isLevel(screen))
                description = "Click to Start";
            QTest::newRow(std::string(screen).c_str())
                << qtext(screen) << (dialog ? QAccessible::Dialog : QAccessible::Window)
                << description << names << !focusesControl;
        }
    }

    void everyScreenReadsAsItIsDrawn()
    {
        QFETCH(QString, screen);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, description);
        QFETCH(Names, names);
        QFETCH(bool, holdsKeys);
        GameFixture game;
        const std::string screenName = screen.toStdString();
        game.show(screenName);
        cratefall::ui::Form& form = game.form(screenName);

        QAccessibleInterface* window = accessible(form.window());
        QCOMPARE(window->role(), role);
        QCOMPARE(window->text(QAccessible::Name), qtext(form.design().caption));
        QCOMPARE(window->text(QAccessible::Description), description);
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
        QCOMPARE(window->state().focused, holdsKeys);

        QAccessibleInterface* client = accessible(form.window()->client());
        int exposed = 0;
        for (const auto& design : form.design().controls) {
            QWidget* widget = form.control(design.name).widget();
            const QByteArray what = QByteArray(design.name.data(), qsizetype(design.name.size()));
            if (design.kind == ControlKind::Line) {
                QVERIFY2(client->indexOfChild(accessible(widget)) < 0, what);
                continue;
            }
            ++exposed;
            QVERIFY2(client->indexOfChild(accessible(widget)) >= 0, what);
            QCOMPARE(accessible(widget)->role(), expectedRole(design.kind));
            if (design.kind == ControlKind::Label) // as drawn on a screen just shown
                QCOMPARE(name(widget), names.value(qtext(design.name), qtext(design.caption)));
            if (design.kind == ControlKind::Picture || design.kind == ControlKind::TextBox)
                QCOMPARE(name(widget), names.value(qtext(design.name)));
            // Every text is drawn in the sans-serif face that stands for the design's.
            if (design.kind != ControlKind::Picture)
                QVERIFY2(QFontInfo(widget->font()).family() == QStringLiteral("Liberation Sans"),
                         qPrintable(what + " is drawn in " + QFontInfo(widget->font()).family()));
        }
        QCOMPARE(client->childCount(), exposed);
    }

    void levelTellsItsStartReadsItsScoreAndItsBoxesCanBePressed()
    {
        GameFixture game;
        game.show("Form2");
        cratefall::ui::Form& level = game.form("Form2");
        QObject* score = level.control("Label1").widget();
        QObject* box = level.control("Image1").widget();
        QObject* start = level.control("Label4").widget();
        QCOMPARE(actions(box), QStringList{}); // a box waiting for the start takes no click
        QCOMPARE(actions(level.control("Label2").widget()), QStringList{});

        // What the window waits for is read with its caption; the start is told as it comes.
        cratefall::ui::Notice* notice = level.window()->notice();
        QVERIFY(!notice->isVisible());
        accessible(start)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(level.Timer1().Enabled());
        QCOMPARE(accessible(level.window())->text(QAccessible::Description), "Started");
        QVERIFY(notice->isVisible());
        QCOMPARE(accessible(notice)->role(), QAccessible::Notification);
        QCOMPARE(name(notice), "Started");
        QCOMPARE(actions(box), QStringList{QAccessibleActionInterface::pressAction()});
        accessible(box)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        accessible(box)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        game.tick("Form2");
        QCOMPARE(name(score), QStringLiteral("2"));
        // The score, which changes at every hit, is there to be read, never told.
        QCOMPARE(accessible(level.window())->text(QAccessible::Description), "Started");
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
