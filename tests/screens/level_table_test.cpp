// Every level's own values, typed here from the game's design rather than read from the level
// table, checked through the level's window: its controls front to back, where its boxes fall,
// where a click puts them, the tick on which it is lost untouched, and the win after exactly its
// own points.
#include "screen_test.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <utility>

namespace {

struct LevelRow {
    const char* caption;
    double height; // the window's Height: its client height and 375 for the frame
    QList<int> fallStep;
    QList<int> boxLeft;
    QList<int> clickLeft; // none where a click puts each box back at its own column
    int startScore;
    int targetScore;
    int lostAtTick; // untouched: the first tick a box is at or past its bottom limit
    const char* lossPrefix;
    const char* lossTitle;
    const char* winText; // none on the last level
    const char* winTitle;
    // Front to back, "; " apart: a label's or a picture's name, left,top and widthxheight in twips,
    // a picture's picture and whether it is stretched, and whether it takes presses; a line's ends.
    const char* controls;
};

constexpr auto runningLoss = "Game Over. Your total score was ";
// Levels 3 to 5 put a clicked box 2 at 1440, not at its column.
const QList<int> level3To5Click{80, 1440, 2760, 3960};

// Loss ticks: level 1 loses a box when its bottom reaches
// Height (boxes tested 3, 2, 1: box 1, 855 high, at 85 x 97 = 8245 >= 9090 - 855 first), the
// others when a top does (level 3: 108 x 85 = 9180, exactly its Height).
// clang-format off
const LevelRow rows[] = {
    {"Cratefall - Level 1", 9090, {85, 81, 83}, {0, 1400, 2800}, {},
     0, 30, 97, "Game Over.  Your score was ", "Tilefall",
     " You beat level one. Press ok for the next level", "Cratefall",
     "Label4 label 720,4080 2055x375 on; Label3 label 2640,7680 135x495 on; "
     "Line1 line 0,8280 480,8280; Label2 label 0,7920 735x375 on; Label1 label 0,8280 735x495 on; "
     "Image3 2760,120 615x855 Tile03 stretched off; Image2 1440,120 705x840 Tile06 stretched off; "
     "Image1 120,120 735x855 Tile07 stretched off"},
    {"Cratefall - Level 2", 9045, {91, 94, 87}, {80, 1390, 2810}, {},
     30, 70, 97, runningLoss, "Thingfall",
     "You beat level 2. Press Ok to go to the next level", "Thingfall",
     "Label4 label 720,4320 2055x375 on; Label1 label 0,8160 735x495 on; "
     "Label2 label 0,7800 735x375 on; Line1 line 0,8160 480,8160; "
     "Image3 2520,240 840x840 Tile09 stretched off; Image2 1320,240 855x855 Tile02 stretched off; "
     "Image1 240,240 720x840 Tile06 stretched off"},
    {"Cratefall - Level 3", 9180, {108, 106, 96, 101}, {80, 1390, 2760, 3960}, level3To5Click,
     70, 120, 85, runningLoss, "Thingfall",
     "You beat level 3. Press Ok to go to the next level", "Thingfall",
     "Label4 label 1440,4440 2055x375 on; Line1 line 0,8400 480,8400; "
     "Label2 label 0,8040 735x375 on; Label1 label 0,8400 735x495 on; "
     "Image4 3960,0 855x975 Tile10 stretched off; Image3 2760,0 855x975 Tile11 stretched off; "
     "Image2 1440,0 855x975 Tile03 stretched off; Image1 120,0 855x975 Tile09 stretched off"},
    {"Cratefall - Level 4", 9195, {108, 114, 111, 116}, {80, 1390, 2760, 3960}, level3To5Click,
     120, 180, 80, runningLoss, "Thingfall",
     "You beat level 4. Press Ok to go to the next level.", "Cratefall",
     "Label4 label 1320,4440 2055x375 on; Image4 3960,0 855x855 Tile09 stretched off; "
     "Image3 2640,0 855x855 Tile01 stretched off; Image2 1320,0 855x855 Tile13 stretched off; "
     "Label1 label 0,8400 735x495 on; Label2 label 0,8040 735x375 on; Line1 line 0,8400 480,8400; "
     "Image1 120,0 855x855 Tile08 stretched off"},
    {"Cratefall - Level 5", 9150, {122, 124, 117, 121}, {80, 1390, 2760, 3960}, level3To5Click,
     180, 250, 74, runningLoss, "Thingfall",
     "You beat level 5. Press Ok to go to the next level", "Cratefall",
     "Label4 label 1440,3960 2055x375 on; Image1 240,0 855x855 Tile08 stretched off; "
     "Line1 line 0,8280 480,8280; Label2 label 0,7920 735x375 on; Label1 label 0,8280 735x495 on; "
     "Image2 1560,0 855x855 Tile14 stretched off; Image3 2880,0 855x855 Tile01 stretched off; "
     "Image4 4080,0 855x855 Tile15 stretched off"},
    {"Cratefall - Level 6", 9540, {124, 123, 122, 114, 123},
     {360, 1680, 3120, 4438, 5760}, {}, 250, 320, 77, runningLoss, "Thingfall",
     "You beat level 6. Press Ok to go to the next level.", "Cratefall",
     "Label4 label 2400,4560 2055x375 on; Image6 120,3480 6750x450 BarPicture as-is on; "
     "Image5 5760,120 855x855 Tile06 stretched off; Image4 4440,120 855x855 Tile16 stretched off; "
     "Image3 3120,120 855x855 Tile13 stretched off; Image2 1680,120 855x855 Tile07 stretched off; "
     "Label1 label 0,8760 735x495 on; Label2 label 0,8400 735x375 on; Line1 line 0,8760 480,8760; "
     "Image1 360,120 855x855 Tile17 stretched off"},
    {"Cratefall - Level 7", 9240, {132, 136, 133, 127, 131},
     {360, 1680, 3120, 4438, 5760}, {}, 320, 400, 68, runningLoss, "Thingfall",
     "You beat level 7. Press Ok to go to the next level.", "Cratefall",
     "Image6 480,2160 6750x450 BarPicture as-is on; Image7 480,6240 6750x450 BarPicture as-is on; "
     "Image1 360,0 855x855 Tile17 stretched off; Line2 line 120,8400 600,8400; "
     "Label2 label 0,8040 735x375 on; Label1 label 0,8400 735x495 on; "
     "Image2 1680,0 855x855 Tile07 stretched off; Image3 3120,0 855x855 Tile13 stretched off; "
     "Image4 4440,0 855x855 Tile16 stretched off; Image5 5880,0 855x855 Tile06 stretched off; "
     "Label4 label 2400,4440 2055x375 on; back9 4200,4680 4500x4500 BlueBackdrop as-is off; "
     "back7 4920,1320 4500x4500 BlueBackdrop as-is off; Line1 line 0,8400 480,8400; "
     "back6 3600,-1080 4500x4500 BlueBackdrop as-is off; "
     "back4 -360,-600 4500x4500 BlueBackdrop as-is off; "
     "back3 -2280,360 4500x4500 BlueBackdrop as-is off; "
     "back2 1440,1080 4500x4500 BlueBackdrop as-is off; "
     "back1 0,4800 4500x4500 BlueBackdrop as-is off"},
    {"Thingfall - Level 8", 9285, {133, 129, 134, 131, 127},
     {360, 1680, 3120, 4438, 5760}, {}, 400, 480, 70, runningLoss, "Thingfall",
     "You beat level 8. Press Ok to go to the next level.", "Cratefall",
     "Image8 0,5160 7455x450 BarPicture stretched on; "
     "Image7 0,7680 7455x450 BarPicture stretched on; "
     "Image6 -240,2520 8055x450 BarPicture stretched on; "
     "Image1 360,0 855x855 Tile17 stretched off; Line1 line 240,8400 720,8400; "
     "Label2 label 0,8160 735x375 on; Label1 label 0,8520 735x495 on; "
     "Image2 1680,0 855x855 Tile07 stretched off; Image3 3120,0 855x855 Tile13 stretched off; "
     "Image4 4440,0 855x855 Tile16 stretched off; Image5 5760,0 855x855 Tile06 stretched off; "
     "Label4 label 2760,4440 2055x375 on; back4 4080,4440 4500x4500 RedBackdrop as-is off; "
     "back3 -360,4440 4500x4500 RedBackdrop as-is off; "
     "back2 4080,0 4500x4500 RedBackdrop as-is off; back1 -360,0 4500x4500 RedBackdrop as-is off"},
    {"Cratefall 1.0 - Level 9", 9270, {146, 119, 144, 113, 137, 145},
     {360, 1680, 3120, 4438, 5760, 7080}, {}, 480, 570, 64, runningLoss, "Thingfall",
     "You beat level 9. Press Ok to go to the next level.", "Cratefall",
     "Image10 840,8280 7215x450 BarPicture stretched on; "
     "Image9 240,3720 7695x495 BarPicture stretched on; "
     "Image8 240,1920 7455x450 BarPicture stretched on; "
     "Image7 240,6600 7695x450 BarPicture stretched on; "
     "Image6 7080,0 855x855 Tile17 stretched off; Image1 360,0 855x855 Tile05 stretched off; "
     "Line1 line 120,8400 600,8400; Label2 label 0,8040 735x375 on; "
     "Label1 label 0,8400 735x495 on; Image2 1680,0 855x855 Tile19 stretched off; "
     "Image3 3120,0 855x855 Tile20 stretched off; Image4 4440,0 855x855 Tile12 stretched off; "
     "Image5 5760,0 855x855 Tile09 stretched off; Label4 label 3360,4320 2055x375 on; "
     "back2 5040,0 5790x17940 StripeBackdrop as-is off; "
     "back1 0,-1320 5790x17940 StripeBackdrop as-is off"},
    {"Cratefall 1.0 - Level 10", 10005, {156, 129, 146, 122, 137, 155},
     {360, 1680, 3120, 4438, 5760, 7080}, {}, 570, 666, 65, runningLoss, "Thingfall", nullptr,
     nullptr,
     "Image12 0,2760 8055x1050 BarPicture stretched on; "
     "Image11 0,4920 8055x1050 BarPicture stretched on; "
     "Image10 -840,-840 1215x9570 BarPicture stretched on; "
     "Image9 720,9120 7815x570 BarPicture stretched on; "
     "Image8 7920,0 1215x9570 BarPicture stretched on; "
     "Image7 -120,6960 8055x810 BarPicture stretched on; Label4 label 3360,4320 2055x375 on; "
     "Image5 5760,0 855x855 Tile09 stretched off; Image4 4440,0 855x855 Tile12 stretched off; "
     "Image3 3120,0 855x855 Tile20 stretched off; Image2 1680,0 855x855 Tile19 stretched off; "
     "Label1 label 0,9120 735x495 on; Label2 label 0,8760 735x375 on; "
     "Line1 line 120,9120 600,9120; Image1 360,0 855x855 Tile05 stretched off; "
     "Image6 7080,0 855x855 Tile17 stretched off; "
     "background -2880,-120 13500x10500 GoldBackdrop as-is off"},
};
// clang-format on

QString onOrOff(const QWidget* widget)
{
    return widget->isEnabled() ? QStringLiteral("on") : QStringLiteral("off");
}

// One control as the rows above write it, from the widget the level built for it.
QString described(const cratefall::ui::Control& control)
{
    using namespace cratefall::ui;
    const ControlDesign& design = control.design();
    const QWidget* widget = control.widget();
    const QString name = qtext(design.name);
    const QString place = QStringLiteral("%1,%2").arg(control.Left()).arg(control.Top());
    if (dynamic_cast<const LineWidget*>(widget))
        return QStringLiteral("%1 line %2 %3,%4")
            .arg(name, place)
            .arg(design.width)
            .arg(design.height);
    const QString box = place + QStringLiteral(" %1x%2").arg(design.width).arg(control.Height());
    if (dynamic_cast<const LabelWidget*>(widget))
        return QStringLiteral("%1 label %2 %3").arg(name, box, onOrOff(widget));
    if (!dynamic_cast<const PictureWidget*>(widget))
        return name + QStringLiteral(" is no label, line or picture");
    const bool stretched = design.stretch == Stretch::Yes;
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(name, box, qtext(design.picture),
             stretched ? QStringLiteral("stretched") : QStringLiteral("as-is"), onOrOff(widget));
}

// The level's controls as Qt stacks them, the front one first.
QStringList controlsFrontToBack(LevelForm& level)
{
    QStringList found;
    for (QObject* child : level.window()->client()->children())
        for (const auto& design : level.design().controls)
            if (level.control(design.name).widget() == child)
                found.prepend(described(level.control(design.name)));
    return found;
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

// The visible middle of every bar: before the start, the only enabled pictures.
QList<QPoint> barPixels(LevelForm& level)
{
    QList<QPoint> pixels;
    QWidget* client = level.window()->client();
    for (const auto& design : level.design().controls) {
        QWidget* bar = level.control(design.name).widget();
        if (design.picture.empty() || !bar->isEnabled())
            continue;
        const QPoint middle = bar->geometry().intersected(client->rect()).center();
        if (client->childAt(middle) == bar)
            pixels.append(middle);
    }
    return pixels;
}

// The values of one level that differ from its row, each named with its control. Each is
// printed as it is found, so a run lists every one, however long the list.
struct Differences {
    int level;
    QStringList lines;

    template <class T> void check(const QString& what, const T& found, const T& designed)
    {
        if (found == designed)
            return;
        lines.append(QStringLiteral("level %1, %2: \"%3\", designed \"%4\"")
                         .arg(level)
                         .arg(what, QVariant(found).toString(), QVariant(designed).toString()));
        qWarning().noquote() << lines.last();
    }
};

// Each control against its own row by name, then the order they are stacked in, so a changed
// value names its control rather than the place it is at.
void compareControls(Differences& differ, const QStringList& found, const QStringList& designed)
{
    const auto nameOf = [](const QString& control) { return control.section(u' ', 0, 0); };
    QMap<QString, QString> unmatched;
    QStringList foundOrder;
    QStringList designedOrder;
    for (const QString& control : found) {
        foundOrder.append(nameOf(control));
        unmatched.insert(nameOf(control), control);
    }
    for (const QString& control : designed) {
        designedOrder.append(nameOf(control));
        differ.check(nameOf(control),
                     unmatched.contains(nameOf(control)) ? unmatched.take(nameOf(control))
                                                         : QStringLiteral("missing"),
                     control);
    }
    for (const QString& control : std::as_const(unmatched))
        differ.check(nameOf(control), control, QStringLiteral("no such control"));
    differ.check(QStringLiteral("front to back"), foundOrder.join(u' '), designedOrder.join(u' '));
}

// The targets a document lists after its lead-in, in order: numbers apart by "|", "," or "and".
QStringList targetsAfter(const QString& text, const QString& leadIn)
{
    const QRegularExpression list(QRegularExpression::escape(leadIn) +
                                  QStringLiteral(R"(((?:\s*(?:\d+|\||,|and\b))*))"));
    const QRegularExpression number(QStringLiteral("\\d+"));
    QStringList targets;
    for (auto found = number.globalMatch(list.match(text).captured(1)); found.hasNext();)
        targets.append(found.next().captured());
    return targets;
}

// Plays a started level to its target: every box is clicked back to the top at every tick, so
// none is lost, and the last click lands exactly on the target. Returns the message that came
// before the target, if one did, with its tick.
QString playToTarget(GameFixture& game, int number, const LevelRow& row)
{
    LevelForm& level = game.screen<LevelForm>(screens::level(number));
    const int boxes = int(row.fallStep.size());
    int points = 0;
    for (int tick = 1; row.startScore + points < row.targetScore; ++tick) {
        for (int box = 1; box <= boxes && row.startScore + points < row.targetScore; ++box) {
            level.clickControl(controls::image(box));
            ++points;
        }
        game.tick(level.design().name);
        if (row.startScore + points < row.targetScore && !game.boxes.empty())
            return QStringLiteral("level %1, tick %2: %3")
                .arg(number)
                .arg(tick)
                .arg(game.shownBoxes());
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(const LevelRow*)

class LevelTableTest : public QObject {
    Q_OBJECT

private:
    static void levels()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<const LevelRow*>("row");
        int number = 1;
        for (const LevelRow& row : rows) {
            QTest::addRow("level %d", number) << number << &row;
            ++number;
        }
    }

private slots:
    void everyLevelHasARow() { QCOMPARE(std::size(rows), cratefall::levels::table().size()); }

    // What a player reads before playing counts the levels of the table and, where it lists
    // them, gives each level's target.
    void theDocumentsFollowTheTable_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("targetsLeadIn"); // the words before its list of targets
        const std::pair<const char*, const char*> documents[] = {
            {"README.md", "| Score to win |"},
            {"packaging/cratefall.6", "equals its target exactly:"},
            {"packaging/io.github.cratefall.Cratefall.metainfo.xml", ""},
            {"packaging/cpack_settings.cmake", ""}};
        for (const auto& [file, targetsLeadIn] : documents)
            QTest::newRow(file) << QString::fromUtf8(file) << QString::fromUtf8(targetsLeadIn);
    }
    void theDocumentsFollowTheTable()
    {
        QFETCH(QString, file);
        QFETCH(QString, targetsLeadIn);
        QFile document(QStringLiteral(CRATEFALL_SOURCE_DIR "/") + file);
        QVERIFY2(document.open(QIODevice::ReadOnly), qPrintable(document.errorString()));
        // A release's notes tell of the levels it had, whatever the table has now.
        const QString text =
            QString::fromUtf8(document.readAll())
                .remove(QRegularExpression(QStringLiteral("<releases>.*</releases>"),
                                           QRegularExpression::DotMatchesEverythingOption))
                .simplified();
        const QStringList words{"one",   "two",   "three", "four", "five",   "six",
                                "seven", "eight", "nine",  "ten",  "eleven", "twelve"};
        const auto levels = cratefall::levels::table();
        QVERIFY2(levels.size() <= std::size_t(words.size()), "name more numbers");
        const QRegularExpression counted(
            QStringLiteral("\\b(%1) levels\\b").arg(words.join(QLatin1Char('|'))),
            QRegularExpression::CaseInsensitiveOption);
        QStringList counts;
        for (auto match = counted.globalMatch(text); match.hasNext();)
            counts.append(match.next().captured(1).toLower());
        counts.removeDuplicates();
        QCOMPARE(counts, QStringList{words[qsizetype(levels.size()) - 1]});
        if (targetsLeadIn.isEmpty())
            return;
        const QStringList listed = targetsAfter(text, targetsLeadIn);
        for (std::size_t at = 0; at < std::max(std::size_t(listed.size()), levels.size()); ++at) {
            const QString target =
                at < levels.size() ? QString::number(levels[at].targetScore) : QString();
            QVERIFY2(
                listed.value(qsizetype(at)) == target,
                qPrintable(QStringLiteral("level %1's target: \"%2\" in the table, \"%3\" listed")
                               .arg(at + 1)
                               .arg(target, listed.value(qsizetype(at)))));
        }
    }

    // Laid out as designed, front to back; its boxes fall and come back to their edges. Every
    // value that differs is listed, so one run shows the whole of a change to a level.
    void controlsAsDesignedAndBoxesBackToTheirEdges_data() { levels(); }
    void controlsAsDesignedAndBoxesBackToTheirEdges()
    {
        QFETCH(int, number);
        QFETCH(const LevelRow*, row);
        const std::string_view screen = screens::level(number);
        GameFixture game;
        LevelForm& level = game.shown<LevelForm>(screen);
        Differences differ{number, {}};
        differ.check(QStringLiteral("caption"), level.window()->windowTitle(),
                     QString::fromUtf8(row->caption));
        differ.check(QStringLiteral("Height"), level.Height(), row->height);
        compareControls(differ, controlsFrontToBack(level),
                        QString::fromUtf8(row->controls).split(QStringLiteral("; ")));

        // A press on a bar is the bar's: the level does not start.
        const QList<QPoint> bars = barPixels(level);
        differ.check(QStringLiteral("bars that take presses"), int(bars.size()),
                     int(QString::fromUtf8(row->controls).count(QStringLiteral(" BarPicture "))));
        for (const QPoint& bar : bars) {
            game.pressAt(screen, bar);
            differ.check(QStringLiteral("started by a press on a bar"), level.Timer1().Enabled(),
                         false);
        }
        game.pressAt(screen, backgroundPixel(level));
        QVERIFY2(level.Timer1().Enabled(), "a press on the window did not start the level");
        game.tick(screen);
        differ.check(QStringLiteral("score shown"), qtext(level.control(controls::score).Caption()),
                     QString::number(row->startScore));
        const int boxes = int(row->fallStep.size());
        const QList<int>& clickLeft = row->clickLeft.isEmpty() ? row->boxLeft : row->clickLeft;
        for (int box = 1; box <= boxes; ++box) {
            const auto& control = level.control(controls::image(box));
            const QString name = qtext(controls::image(box));
            differ.check(name + QStringLiteral(" left"), int(control.Left()),
                         row->boxLeft[box - 1]);
            differ.check(name + QStringLiteral(" fall step"), int(control.Top()),
                         row->fallStep[box - 1]);
            level.clickControl(controls::image(box));
            differ.check(name + QStringLiteral(" left once clicked"), int(control.Left()),
                         clickLeft[box - 1]);
            differ.check(name + QStringLiteral(" top once clicked"), int(control.Top()), 0);
        }
        game.tick(screen);
        for (int box = 1; box <= boxes; ++box)
            differ.check(qtext(controls::image(box)) + QStringLiteral(" left at the next tick"),
                         int(level.control(controls::image(box)).Left()), row->boxLeft[box - 1]);
        QVERIFY2(differ.lines.isEmpty(),
                 qPrintable(QStringLiteral("%1 values differ from the level's row (listed above)")
                                .arg(differ.lines.size())));
    }

    // The first game scores a point and is lost; the level played again starts afresh, and
    // untouched it is lost on its own tick.
    void lostOnItsTickAndPlayedAgainAfresh_data() { levels(); }
    void lostOnItsTickAndPlayedAgainAfresh()
    {
        QFETCH(int, number);
        QFETCH(const LevelRow*, row);
        const std::string_view screen = screens::level(number);
        GameFixture game;
        for (const int points : {1, 0}) {
            game.show(screen);
            game.pressControl(screen, controls::start);
            if (points > 0) {
                game.tick(screen);
                game.screen<LevelForm>(screen).clickControl(controls::image(1));
                game.tick(screen, 200);
            } else {
                int lostAt = 0;
                while (game.boxes.empty() && lostAt < row->lostAtTick + 100) {
                    game.tick(screen);
                    ++lostAt;
                }
                QCOMPARE(lostAt, row->lostAtTick);
            }
            QCOMPARE(game.shownBoxes(), QStringLiteral("\"%1%2.\" (%3)")
                                            .arg(row->lossPrefix)
                                            .arg(row->startScore + points)
                                            .arg(row->lossTitle));
            QCOMPARE(game.loaded(), QStringList{qtext(screens::title)});
            game.boxes.clear();
        }
    }

    // Each level is won after exactly its own points, shows its own win message and hands over
    // to the next, the last to the victory screen.
    void wholeGameFromTheTitleToTheVictoryScreen()
    {
        GameFixture game;
        game.show(screens::title);
        game.form(screens::title).clickControl("mnuplay");
        for (int number = 1; number <= int(std::size(rows)); ++number) {
            const std::string_view screen = screens::level(number);
            QVERIFY2(game.loaded() == QStringList{qtext(screen)},
                     qPrintable(QStringLiteral("level %1 is not the one screen shown: %2")
                                    .arg(number)
                                    .arg(game.loaded().join(QStringLiteral(", ")))));
            game.pressControl(screen, controls::start);
            const LevelRow& row = rows[number - 1];
            QCOMPARE(playToTarget(game, number, row), QString());
            // The last level shows no message.
            const QString won =
                row.winText ? QStringLiteral("\"%1\" (%2)").arg(row.winText).arg(row.winTitle) : "";
            QVERIFY2(game.shownBoxes() == won,
                     qPrintable(QStringLiteral("level %1 showed [%2], designed [%3]")
                                    .arg(number)
                                    .arg(game.shownBoxes(), won)));
            game.boxes.clear();
        }
        QCOMPARE(game.loaded(), QStringList{qtext(screens::victory)});
        QVERIFY(!game.exitStatus);
    }
};

QTEST_MAIN(LevelTableTest)
#include "level_table_test.moc"
