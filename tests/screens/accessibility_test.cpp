// What a screen reader finds on every screen, through Qt's accessibility layer: labels read as
// text named by their captions, pictures as graphics named by their lettering, buttons as Qt's
// own, the name box named by the label above it, lines not at all, and each window named by its
// caption, a frame or a dialog, with what it waits for as its description, and focused when no
// control of its has the keys; the controls Tab visits, on real key events routed by Qt itself;
// and the face every text is drawn in.
#include "screen_test.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <algorithm>
#include <ranges>

using cratefall::ui::ControlKind;

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

// What a reader takes each kind of control for; a line it never sees.
const QMap<ControlKind, QAccessible::Role> roles{{ControlKind::Label, QAccessible::StaticText},
                                                 {ControlKind::Picture, QAccessible::Graphic},
                                                 {ControlKind::Button, QAccessible::Button},
                                                 {ControlKind::TextBox, QAccessible::EditableText}};

// Names of the focused control, as the screen calls them; empty when nothing has the focus.
std::string focusedControl(GameFixture& game, std::string_view screen)
{
    for (const auto& design : game.form(screen).design().controls)
        if (game.form(screen).control(design.name).widget() == QApplication::focusWidget())
            return std::string(design.name);
    return QApplication::focusWidget() ? "a widget of no control" : "";
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private:
    static void everyScreen()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("description");
        QTest::addColumn<Names>("names");
        QTest::addColumn<QStringList>("stops"); // the controls Tab visits, in its order
        for (const std::string_view screen : screens::all) {
            const bool dialog = screen == screens::howToPlay || screen == screens::about;
            QStringList stops = dialog ? QStringList{"Command1"} : QStringList{};
            if (screen == screens::victory)
                stops = {"Command1", "Command2", "Text1"};
            Names names;
            if (screen == screens::about)
                names = {{"Image6", "About Mokram"},
                         {"Image7", "Cratefall, cratefall@example.org, 2026"},
                         {"Label3", "Contact: Cratefall, cratefall@example.org, 2026"}};
            if (screen == screens::victory)
                names = {{"Text1", "Type your name below and click the red button to print a "
                                   "Winning certificate"}};
            const bool level = std::ranges::find(screens::levels, screen) != screens::levels.end();
            const QString description = level ? QStringLiteral("Click to Start") : QString();
            QTest::newRow(std::string(screen).c_str())
                << qtext(screen) << (dialog ? QAccessible::Dialog : QAccessible::Window)
                << description << names << stops;
        }
    }

private slots:
    void initTestCase()
    {
        // As with a screen reader running: Qt then asks for a widget's interface at every change
        // it reports, some while the widget is still being built, and keeps what it got.
        QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
        QAccessible::setActive(true);
    }

    void everyScreenReadsAsItIsDrawn_data() { everyScreen(); }
    void everyScreenReadsAsItIsDrawn()
    {
        QFETCH(QString, screen);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, description);
        QFETCH(Names, names);
        QFETCH(QStringList, stops);
        GameFixture game;
        QVERIFY(game.showActive(screen.toStdString()));
        cratefall::ui::Form& form = game.form(screen.toStdString());

        QAccessibleInterface* window = accessible(form.window());
        QCOMPARE(window->role(), role);
        QCOMPARE(window->text(QAccessible::Name), qtext(form.design().caption));
        QCOMPARE(window->text(QAccessible::Description), description);
        // The window itself has the keys when none of its controls takes the focus.
        QCOMPARE(window->state().focused, stops.isEmpty());

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
            QCOMPARE(accessible(widget)->role(), roles.value(design.kind));
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

    // Only buttons and text boxes take the keyboard focus, by Tab in their designed order.
    void tabVisitsExactlyTheTabStopsAndWraps_data() { everyScreen(); }
    void tabVisitsExactlyTheTabStopsAndWraps()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, stops);
        GameFixture game;
        const std::string name = screen.toStdString();
        QVERIFY(game.showActive(name));

        const auto visit = [&](Qt::Key direction) {
            QStringList seen{QString::fromStdString(focusedControl(game, name))};
            for (qsizetype i = 0; i < std::max<qsizetype>(stops.size(), 1); ++i) {
                game.key(name, direction);
                seen.append(QString::fromStdString(focusedControl(game, name)));
            }
            return seen;
        };
        // The first tab stop has the focus when the screen opens; a full round comes back to it.
        QStringList forward = stops.isEmpty() ? QStringList{"", ""} : stops;
        if (!stops.isEmpty())
            forward.append(stops.front());
        QCOMPARE(visit(Qt::Key_Tab), forward);
        std::reverse(forward.begin(), forward.end());
        QCOMPARE(visit(Qt::Key_Backtab), forward);
    }

    void levelTellsItsStartReadsItsScoreAndItsBoxesCanBePressed()
    {
        GameFixture game;
        cratefall::ui::Form& level = game.shown(screens::level(1));
        QObject* score = level.control(controls::score).widget();
        QObject* box = level.control(controls::image(1)).widget();
        QObject* start = level.control(controls::start).widget();
        QCOMPARE(actions(box), QStringList{}); // a box waiting for the start takes no click
        QCOMPARE(actions(level.control(controls::scoreCaption).widget()), QStringList{});

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
        game.tick(screens::level(1));
        QCOMPARE(name(score), QStringLiteral("2"));
        // The score, which changes at every hit, is there to be read, never told.
        QCOMPARE(accessible(level.window())->text(QAccessible::Description), "Started");
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
