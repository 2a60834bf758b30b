// What a screen reader finds on every screen, through Qt's accessibility layer: labels read as
// text named by their captions, pictures as graphics, buttons and the name box as Qt's own, lines
// not at all, and each window named by its caption; and the face every text is drawn in.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "shell/screen_names.h"
#include "ui/form_window.h"
#include "ui/qt_text.h"
#endif

#include <QAccessible>
#include <QFontInfo>
#include <QTest>

using cratefall::testing::GameFixture;
using cratefall::ui::ControlKind;
using cratefall::ui::qtext;

namespace {

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
        for (const std::string_view screen : cratefall::shell::screens::all)
            QTest::newRow(std::string(screen).c_str()) << qtext(screen);
    }

    void everyScreenReadsAsItIsDrawn()
    {
        QFETCH(QString, screen);
        GameFixture game;
        const std::string screenName = screen.toStdString();
        game.show(screenName);
        cratefall::ui::Form& form = game.form(screenName);

        QAccessibleInterface* window = accessible(form.window());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), qtext(form.design().caption));

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
                QCOMPARE(name(widget), qtext(design.caption));
            // Every text is drawn in the sans-serif face that stands for the design's.
            if (design.kind != ControlKind::Picture)
                QVERIFY2(QFontInfo(widget->font()).family() == QStringLiteral("Liberation Sans"),
                         qPrintable(what + " is drawn in " + QFontInfo(widget->font()).family()));
        }
        QCOMPARE(client->childCount(), exposed);
    }

    void levelReadsItsScoreAndItsBoxesCanBePressed()
    {
        GameFixture game;
        game.show("Form2");
        cratefall::ui::Form& level = game.form("Form2");
        QObject* score = level.control("Label1").widget();
        QObject* box = level.control("Image1").widget();
        QObject* start = level.control("Label4").widget();
        QCOMPARE(actions(box), QStringList{}); // a box waiting for the start takes no click
        QCOMPARE(actions(level.control("Label2").widget()), QStringList{});

        accessible(start)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(level.Timer1().Enabled());
        QCOMPARE(actions(box), QStringList{QAccessibleActionInterface::pressAction()});
        accessible(box)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        accessible(box)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        game.tick("Form2");
        QCOMPARE(name(score), QStringLiteral("2"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
