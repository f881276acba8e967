#include "ui/modal.h"

#include "ui/form.h"

#include <QDialog>

namespace ui {

namespace {
ModalInterceptor* activeInterceptor = nullptr;
}

ModalInterceptor::ModalInterceptor(Handler handler)
    : handler_(std::move(handler)), previous_(activeInterceptor) {
    activeInterceptor = this;
}
ModalInterceptor::~ModalInterceptor() {
    activeInterceptor = previous_;
}

int showModal(QDialog* form) {
    if (!form) return QDialog::Rejected;
    // An intercepted form is driven without being shown: its widgets are built here.
    ensureBuilt(form);
    if (activeInterceptor) {
        activeInterceptor->shown_.append(form);
        // The handler may open further forms; it runs with this interceptor still in place.
        return activeInterceptor->handler_ ? activeInterceptor->handler_(form) : int(QDialog::Rejected);
    }
    return form->exec();
}

} // namespace ui
