// Every level's own values, typed here from the game's design rather than read from the level
// table, checked through the level's window: where its boxes fall, where a click puts them, the
// tick on which it is lost untouched, and the win after exactly its own points.
#ifndef Q_MOC_RUN // moc cannot parse the C++20 library headers these pull in
#include "game_fixture.h"
#include "levels/level_form.h"
#include "testing/test_access.h"
#include "ui/form_window.h"
#endif

#include <QTest>

using cratefall::levels::LevelForm;
using cratefall::testing::Access;
using cratefall::testing::GameFixture;

namespace {

struct LevelRow {
    const char* screen;
    const char* caption;
    double height; // the window's Height: its client height and 375 for the frame
    QList<int> fallStep;
    QList<int> boxLeft;
    QList<int> clickLeft;
    int startScore;
    int targetScore;
    int lostAtTick; // untouched: the first tick a box is at or past its bottom limit
    const char* lossPrefix;
    const char* lossTitle;
    const char* winText; // none on the last level
    const char* winTitle;
    const char* next;
};

constexpr auto runningLoss = "Game Over. Your total score was ";
// Levels 3 to 5 put a clicked box 2 at 1440, not at its column.
const QList<int> level3To5Click{80, 1440, 2760, 3960};

// Loss ticks: level 1 loses a box when its bottom reaches
// Height (boxes tested 3, 2, 1: box 1, 855 high, at 85 x 97 = 8245 >= 9090 - 855 first), the
// others when a top does (level 3: 108 x 85 = 9180, exactly its Height).
// clang-format off
const LevelRow rows[] = {
    {"Form2", "Cratefall - Level 1", 9090, {85, 81, 83}, {0, 1400, 2800}, {0, 1400, 2800},
     0, 30, 97, "Game Over.  Your score was ", "Tilefall",
     " You beat level one. Press ok for the next level", "Cratefall", "Form3"},
    {"Form3", "Cratefall - Level 2", 9045, {91, 94, 87}, {80, 1390, 2810}, {80, 1390, 2810},
     30, 70, 97, runningLoss, "Thingfall",
     "You beat level 2. Press Ok to go to the next level", "Thingfall", "Form4"},
    {"Form4", "Cratefall - Level 3", 9180, {108, 106, 96, 101}, {80, 1390, 2760, 3960}, level3To5Click,
     70, 120, 85, runningLoss, "Thingfall",
     "You beat level 3. Press Ok to go to the next level", "Thingfall", "Form5"},
    {"Form5", "Cratefall - Level 4", 9195, {108, 114, 111, 116}, {80, 1390, 2760, 3960}, level3To5Click,
     120, 180, 80, runningLoss, "Thingfall",
     "You beat level 4. Press Ok to go to the next level.", "Cratefall", "Form6"},
    {"Form6", "Cratefall - Level 5", 9150, {122, 124, 117, 121}, {80, 1390, 2760, 3960}, level3To5Click,
     180, 250, 74, runningLoss, "Thingfall",
     "You beat level 5. Press Ok to go to the next level", "Cratefall", "Form7"},
    {"Form7", "Cratefall - Level 6", 9540, {124, 123, 122, 114, 123},
     {360, 1680, 3120, 4438, 5760}, {360, 1680, 3120, 4438, 5760},
     250, 320, 77, runningLoss, "Thingfall",
     "You beat level 6. Press Ok to go to the next level.", "Cratefall", "Form8"},
    {"Form8", "Cratefall - Level 7", 9240, {132, 136, 133, 127, 131},
     {360, 1680, 3120, 4438, 5760}, {360, 1680, 3120, 4438, 5760},
     320, 400, 68, runningLoss, "Thingfall",
     "You beat level 7. Press Ok to go to the next level.", "Cratefall", "Form9"},
    {"Form9", "Thingfall - Level 8", 9285, {133, 129, 134, 131, 127},
     {360, 1680, 3120, 4438, 5760}, {360, 1680, 3120, 4438, 5760},
     400, 480, 70, runningLoss, "Thingfall",
     "You beat level 8. Press Ok to go to the next level.", "Cratefall", "Form10"},
    {"Form10", "Cratefall 1.0 - Level 9", 9270, {146, 119, 144, 113, 137, 145},
     {360, 1680, 3120, 4438, 5760, 7080}, {360, 1680, 3120, 4438, 5760, 7080},
     480, 570, 64, runningLoss, "Thingfall",
     "You beat level 9. Press Ok to go to the next level.", "Cratefall", "Form11"},
    {"Form11", "Cratefall 1.0 - Level 10", 10005, {156, 129, 146, 122, 137, 155},
     {360, 1680, 3120, 4438, 5760, 7080}, {360, 1680, 3120, 4438, 5760, 7080},
     570, 666, 65, runningLoss, "Thingfall", nullptr, nullptr, "Form12"},
};
// clang-format on

std::string image(int box)
{
    return "Image" + std::to_string(box);
}

// A pixel of the window where a press reaches the window itself: no control there, or only a
// disabled one (scenery, a waiting box).
QPoint backgroundPixel(LevelForm& level)
{
    QWidget* client = level.window()->client();
    for (int y = 5; y < client->height(); y += 10)
        for (int x = 5; x < client->width(); x += 10)
            if (QWidget* hit = client->childAt(x, y); !hit || !hit->isEnabled())
                return {x, y};
    return {-1, -1};
}

// The visible middle of every enabled picture that is not a box: the bars.
QList<QPoint> barPixels(LevelForm& level, int boxes)
{
    QList<QPoint> pixels;
    QWidget* client = level.window()->client();
    for (int number = boxes + 1; number <= 12; ++number) {
        const std::string name = image(number);
        if (!Access::hasControl(level, name))
            break;
        QWidget* bar = level.control(name).widget();
        const QPoint middle = bar->geometry().intersected(client->rect()).center();
        if (client->childAt(middle) == bar)
            pixels.append(middle);
    }
    return pixels;
}

// Plays a started level to its target: every box is clicked back to the top at every tick, so
// none is lost, and the last click lands exactly on the target. Returns the points scored, or -1
// when a message came before the target.
int playToTarget(GameFixture& game, const LevelRow& row)
{
    LevelForm& level = game.screen<LevelForm>(row.screen);
    const int boxes = int(row.fallStep.size());
    int points = 0;
    while (row.startScore + points < row.targetScore) {
        for (int box = 1; box <= boxes && row.startScore + points < row.targetScore; ++box) {
            level.clickControl(image(box));
            ++points;
        }
        if (!game.boxes.empty())
            return -1;
        game.tick(row.screen);
        if (row.startScore + points < row.targetScore && !game.boxes.empty())
            return -1;
    }
    return points;
}

} // namespace

Q_DECLARE_METATYPE(const LevelRow*)

class LevelTableTest : public QObject {
    Q_OBJECT

private:
    static void levels()
    {
        QTest::addColumn<const LevelRow*>("row");
        int number = 1;
        for (const LevelRow& row : rows)
            QTest::addRow("level %d", number++) << &row;
    }

private slots:
    void boxesFallAndComeBackToTheirEdges_data() { levels(); }
    void boxesFallAndComeBackToTheirEdges()
    {
        QFETCH(const LevelRow*, row);
        GameFixture game;
        game.show(row->screen);
        LevelForm& level = game.screen<LevelForm>(row->screen);
        QCOMPARE(level.window()->windowTitle(), QString::fromUtf8(row->caption));
        QCOMPARE(level.Height(), row->height);

        // A press on a bar is the bar's: the level does not start.
        const int boxes = int(row->fallStep.size());
        for (const QPoint& bar : barPixels(level, boxes)) {
            game.pressAt(row->screen, bar);
            QVERIFY2(!level.Timer1().Enabled(), "a bar started the level");
        }
        game.pressAt(row->screen, backgroundPixel(level));
        QVERIFY(level.Timer1().Enabled());
        game.tick(row->screen);
        QCOMPARE(level.control("Label1").Caption(), std::to_string(row->startScore));
        for (int box = 1; box <= boxes; ++box) {
            const auto& control = level.control(image(box));
            QCOMPARE(control.Left(), double(row->boxLeft[box - 1]));
            QCOMPARE(control.Top(), double(row->fallStep[box - 1]));
            level.clickControl(image(box));
            QCOMPARE(control.Left(), double(row->clickLeft[box - 1]));
            QCOMPARE(control.Top(), 0.0);
        }
        game.tick(row->screen);
        for (int box = 1; box <= boxes; ++box)
            QCOMPARE(level.control(image(box)).Left(), double(row->boxLeft[box - 1]));
    }

    void untouchedLevelIsLostOnItsTick_data() { levels(); }
    void untouchedLevelIsLostOnItsTick()
    {
        QFETCH(const LevelRow*, row);
        GameFixture game;
        game.show(row->screen);
        game.pressControl(row->screen, "Label4");
        game.tick(row->screen, row->lostAtTick - 1);
        QVERIFY(game.boxes.empty());
        game.tick(row->screen);
        QCOMPARE(int(game.boxes.size()), 1);
        QCOMPARE(game.boxes[0].text, row->lossPrefix + std::to_string(row->startScore) + ".");
        QCOMPARE(game.boxes[0].title, std::string(row->lossTitle));
        QVERIFY(!game.runtime().isLoaded(row->screen));
        QVERIFY(game.runtime().isLoaded("Form1"));
    }

    void levelIsWonAfterExactlyItsOwnPoints_data() { levels(); }
    void levelIsWonAfterExactlyItsOwnPoints()
    {
        QFETCH(const LevelRow*, row);
        GameFixture game;
        game.show(row->screen);
        game.pressControl(row->screen, "Label4");
        game.tick(row->screen);
        QCOMPARE(playToTarget(game, *row), row->targetScore - row->startScore);
        if (row->winText) {
            QCOMPARE(int(game.boxes.size()), 1);
            QCOMPARE(game.boxes[0].text, std::string(row->winText));
            QCOMPARE(game.boxes[0].title, std::string(row->winTitle));
        } else {
            QVERIFY(game.boxes.empty());
        }
        QVERIFY(!game.runtime().isLoaded(row->screen));
        QVERIFY(game.runtime().isLoaded(row->next));
        QCOMPARE(int(game.runtime().loadedForms().size()), 1);
        QVERIFY(!game.exitStatus);
    }

    void wholeGameFromTheTitleToTheVictoryScreen()
    {
        GameFixture game;
        game.show("Form1");
        game.form("Form1").clickControl("mnuplay");
        int messages = 0;
        for (const LevelRow& row : rows) {
            QVERIFY2(game.runtime().isLoaded(row.screen), row.screen);
            QCOMPARE(int(game.runtime().loadedForms().size()), 1);
            game.pressControl(row.screen, "Label4");
            QVERIFY(playToTarget(game, row) > 0);
            messages += int(game.boxes.size());
            game.boxes.clear();
        }
        QCOMPARE(messages, 9); // one win message a level but the last
        QVERIFY(game.runtime().isLoaded("Form12"));
        QCOMPARE(int(game.runtime().loadedForms().size()), 1);
        QVERIFY(!game.exitStatus);
    }
};

QTEST_MAIN(LevelTableTest)
#include "level_table_test.moc"
