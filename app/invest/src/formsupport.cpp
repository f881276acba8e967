#include "formsupport.h"

#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/today.h"

#include <QLabel>

namespace invest {

invest::Date todayDate() {
    const QDate d = ui::today();
    return {d.month(), d.day(), d.year()};
}

void show(const Notice& notice) {
    switch (notice.kind) {
    case NoticeKind::Plain:
        ui::showMessage(notice.text);
        break;
    case NoticeKind::Error:
        ui::showError(notice.text);
        break;
    case NoticeKind::Exception:
        ui::showException(notice.text);
        break;
    }
}

QLabel* titleLabel(const char* text, QWidget* parent) {
    auto* label = ui::makeLabel(QString::fromLatin1(text), QStringLiteral("Label1"), parent);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace invest
