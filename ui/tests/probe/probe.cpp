#include "probe.h"

#include "ui/convert.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"
#include "ui/today.h"

#define PROBE_EXPORT __attribute__((visibility("default")))

extern "C" {

PROBE_EXPORT void probeShowMessage(const QString& text) {
    ui::showMessage(text);
}
PROBE_EXPORT QPrinter* probePrinter() {
    return &ui::printer();
}
PROBE_EXPORT void probeToday(QDate& date) {
    date = ui::today();
}
PROBE_EXPORT int probeShowModal(QDialog* form) {
    return ui::showModal(form);
}
PROBE_EXPORT void probeHelpJump(const QString& topic) {
    ui::helpJump(ui::applicationHelpFile(), topic);
}
PROBE_EXPORT void probeApplicationHelpFile(QString& file) {
    file = ui::applicationHelpFile();
}
PROBE_EXPORT bool probeToFloat(const QString& text, double& value, QString& message) {
    try {
        value = ui::toFloat(text);
        return true;
    } catch (const ui::ConvertError& e) {
        message = e.message();
        return false;
    }
}
PROBE_EXPORT void probeFormat(double value, QString& text) {
    text = ui::format("%7.2f", value);
}
}
