#include "ui/message_box.h"

#include "ui/qt_text.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace cratefall::ui {
namespace {

// Room for the caption bar's icon and buttons on both sides of a centred title: where Qt draws
// the frame itself (on Wayland), they take about 80 pixels at the right.
constexpr int captionChrome = 160;

// A short prompt makes a narrow box, and the window manager then cuts its title short: widen the
// box so the whole title can be read, as the player needs it to tell a pause from a loss.
void fitTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int width = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + captionChrome;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// Orca 48 reads a box's text by itself only from three words on ("Game Paused." it never says):
// a shorter text is the box's description too, which Orca reads with the box's title. (Orca 43,
// which reads every text, then says a short one twice.)
void describeShortText(QMessageBox& box)
{
    if (box.text().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts).size() < 3)
        box.setAccessibleDescription(box.text());
}

} // namespace

void QtMessageBoxPresenter::show(std::string_view text, std::string_view title, BoxKind kind,
                                 QWidget* owner)
{
    const auto icon = kind == BoxKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon;
    // Over the screen it belongs to, whichever window (the game's or another program's) is
    // active, and modal for every window of the game.
    QMessageBox box(icon, qtext(title), qtext(text), QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    describeShortText(box);
    fitTitle(box);
    box.exec();
}

} // namespace cratefall::ui
