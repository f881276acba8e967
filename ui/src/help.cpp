#include "ui/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>

#ifndef TALVERO_SOURCE_HELP_DIR
#define TALVERO_SOURCE_HELP_DIR ""
#endif

namespace ui {

namespace {
QString appHelpFile;
HelpRecorder* activeRecorder = nullptr;
const char* const kHelpFileProperty = "talveroHelpFile";

class HelpWindow : public QWidget {
public:
    HelpWindow() {
        setObjectName(QStringLiteral("HelpWindow"));
        setWindowTitle(QStringLiteral("Talvero Help"));
        resize(640, 520);
        auto* layout = new QVBoxLayout(this);
        browser_ = new QTextBrowser(this);
        browser_->setObjectName(QStringLiteral("HelpBrowser"));
        browser_->setOpenLinks(true);
        browser_->setSearchPaths({helpFolder()});
        layout->addWidget(browser_);
    }
    void showTopic(const QString& topic) {
        QString file = helpFolder() + QLatin1Char('/') + topic + QStringLiteral(".html");
        if (!QFile::exists(file)) file = helpFolder() + QStringLiteral("/index.html");
        browser_->setSource(QUrl::fromLocalFile(file));
        show();
        raise();
        activateWindow();
    }

private:
    QTextBrowser* browser_;
};

HelpWindow* window(QPointer<HelpWindow>& slot) {
    if (!slot) {
        slot = new HelpWindow;
        slot->setAttribute(Qt::WA_DeleteOnClose);
        slot->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return slot;
}

QPointer<HelpWindow> topicWindow;
QPointer<HelpWindow> contentsWindow;

const QHash<int, QString>& contextMap() {
    static const QHash<int, QString> map = [] {
        QHash<int, QString> m;
        QFile f(helpFolder() + QStringLiteral("/contexts.txt"));
        if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&f);
            while (!in.atEnd()) {
                const QString line = in.readLine().trimmed();
                if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
                const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                bool ok = false;
                const int id = parts.value(0).toInt(&ok);
                if (ok && parts.size() >= 2) m.insert(id, parts.at(1));
            }
        }
        return m;
    }();
    return map;
}
} // namespace

void deliver(const HelpRequest& request) {
    if (activeRecorder) {
        activeRecorder->requests_.append(request);
        return;
    }
    if (request.kind == HelpRequest::Contents)
        window(contentsWindow)->showTopic(request.topic);
    else
        window(topicWindow)->showTopic(request.topic);
}

HelpRecorder::HelpRecorder() : previous_(activeRecorder) {
    activeRecorder = this;
}
HelpRecorder::~HelpRecorder() {
    activeRecorder = previous_;
}

QString applicationHelpFile() {
    return appHelpFile;
}
void setApplicationHelpFile(const QString& file) {
    appHelpFile = file;
}

void setFormHelpFile(QWidget* form, const QString& file) {
    form->setProperty(kHelpFileProperty, file);
}

QString helpFileFor(const QWidget* activeForm) {
    if (activeForm) {
        const QString own = activeForm->window()->property(kHelpFileProperty).toString();
        if (!own.isEmpty()) return own;
    }
    return appHelpFile;
}

void helpJump(const QString& helpFile, const QString& topic) {
    deliver({HelpRequest::Topic, helpFile, topic, 0});
}

void helpContext(const QString& helpFile, int context) {
    deliver({HelpRequest::Context, helpFile, topicForContext(context), context});
}

void helpContents() {
    deliver({HelpRequest::Contents, QStringLiteral("TALVERO.HLP"), QStringLiteral("index"), 0});
}

QString topicForContext(int context) {
    return contextMap().value(context, QStringLiteral("index"));
}

QString helpFolder() {
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/talvero/help"));
    if (QFile::exists(installed + QStringLiteral("/index.html"))) return installed;
    return QStringLiteral(TALVERO_SOURCE_HELP_DIR);
}

} // namespace ui
