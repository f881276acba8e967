#pragma once
// Every command form is shown modally through here. A ModalInterceptor lets a test see which form
// was opened and drive it while it is "open" instead of entering a nested event loop.

#include "ui/export.h"
#include <QList>
#include <functional>

class QDialog;

namespace ui {

UI_EXPORT int showModal(QDialog* form);

class UI_EXPORT ModalInterceptor {
public:
    using Handler = std::function<int(QDialog*)>;
    // Without a handler a shown form is recorded and returns as rejected.
    explicit ModalInterceptor(Handler handler = {});
    ~ModalInterceptor();
    ModalInterceptor(const ModalInterceptor&) = delete;
    ModalInterceptor& operator=(const ModalInterceptor&) = delete;

    const QList<QDialog*>& shown() const { return shown_; }
    void setHandler(Handler h) { handler_ = std::move(h); }

private:
    friend int showModal(QDialog*);
    Handler handler_;
    QList<QDialog*> shown_;
    ModalInterceptor* previous_;
};

} // namespace ui
