#include "ui/message_box.h"

#include <QMessageBox>
#include <QString>

namespace cratefall::ui {

void QtMessageBoxPresenter::show(std::string_view text, std::string_view title, BoxKind kind)
{
    const auto icon = kind == BoxKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromUtf8(title.data(), qsizetype(title.size())),
                    QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace cratefall::ui
