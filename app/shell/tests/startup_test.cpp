// Start-up makes every form object, in order, without its widgets; a form builds them when it is
// first needed, and a form built so is the form built at once. The tables the forms open at
// creation open right after the main window's first paint, their errors shown then.
#include "annuity/forms.h"
#include "loan/forms.h"
#include "shell/mainform.h"
#include "shell/startup.h"
#include "ui/datafolder.h"
#include "ui/firstpaint.h"
#include "ui/form.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QProxyStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override { shell::initialiseApplication(*qApp); }
    void TearDown() override { shell::destroyForms(); }

    // The forms start-up made, by the names in their order, the main window left out.
    static std::vector<ui::Form*> forms(const QStringList& order) {
        std::vector<ui::Form*> all;
        for (const QString& name : order.mid(1)) {
            auto* form =
                qobject_cast<ui::Form*>(MainForm->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly));
            EXPECT_NE(form, nullptr) << name.toStdString();
            if (form) all.push_back(form);
        }
        return all;
    }

    ui::TodayOverride today_{QDate(2004, 6, 15)};
    ui::MessageRecorder messages_;
};

// What a user and an assistive tool find on a form: every widget in the order made with its name,
// description, accessible name and shown texts, each label's buddy, and the Tab chain.
QStringList looks(QWidget* form) {
    QStringList seen{form->objectName() + QLatin1Char('|') + form->windowTitle()};
    for (const QWidget* w : form->findChildren<QWidget*>()) {
        QString line = QLatin1String(w->metaObject()->className()) + QLatin1Char('|') + w->objectName() +
                       QLatin1Char('|') + w->accessibleDescription() + QLatin1Char('|') + w->accessibleName();
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            line += QLatin1Char('|') + label->text();
            if (label->buddy()) line += QLatin1String("|buddy ") + label->buddy()->objectName();
        }
        if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            line += QLatin1Char('|') + edit->text() +
                    (edit->isReadOnly() ? QLatin1String("|read only") : QString());
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            line +=
                QLatin1Char('|') + button->text() + (button->isChecked() ? QLatin1String("|on") : QString());
        if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                line += QLatin1Char('|') + combo->itemText(i);
            line += QLatin1String("|current ") + combo->currentText();
        }
        if (const auto* group = qobject_cast<const QGroupBox*>(w)) line += QLatin1Char('|') + group->title();
        if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                line += QLatin1Char('|') + tabs->tabText(i);
        seen << line;
    }
    QString chain = QStringLiteral("Tab:");
    for (QWidget* w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain())
        if (form->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            chain += QLatin1Char(' ') + w->objectName();
    seen << chain;
    return seen;
}

TEST_F(StartUp, MakesEveryFormInOrderWithoutItsWidgets) {
    const QStringList order = shell::createForms();
    ASSERT_EQ(order.value(0), QStringLiteral("MainForm"));
    const std::vector<ui::Form*> made = forms(order);
    ASSERT_EQ(made.size(), size_t(order.size() - 1));
    for (ui::Form* form : made) {
        SCOPED_TRACE(form->objectName().toStdString());
        EXPECT_FALSE(form->isBuilt());
        EXPECT_TRUE(form->findChildren<QWidget*>().isEmpty()) << "no widget before the form is needed";
        EXPECT_FALSE(form->windowTitle().isEmpty()) << "named and captioned at creation";
    }
    EXPECT_FALSE(MainForm->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).isEmpty())
        << "the main window is built";
}

TEST_F(StartUp, AFormBuildsItsWidgetsWhenFirstNeeded) {
    shell::createForms();
    {
        // Opened through the modal seam, even when a test drives it instead of showing it.
        ui::ModalInterceptor modal;
        ui::showModal(Form6);
        EXPECT_TRUE(Form6->isBuilt());
        ASSERT_NE(Form6->box(QStringLiteral("Edit1")), nullptr);
    }
    // Shown.
    Form7->show();
    EXPECT_TRUE(Form7->isBuilt());
    EXPECT_TRUE(Form7->PageControl1->isVisible());
    Form7->hide();
    // Filled by another form: only the form filled is built, not the one it reads.
    Form19->fill(*Form1);
    EXPECT_TRUE(Form19->isBuilt());
    EXPECT_FALSE(Form19->Edit1->text().isEmpty());
    EXPECT_FALSE(Form1->isBuilt());
    EXPECT_FALSE(Form8->isBuilt());
}

TEST_F(StartUp, AFormBuiltWhenNeededIsTheFormBuiltAtOnce) {
    QList<QStringList> whenNeeded;
    {
        const QStringList order = shell::createForms(shell::FormWidgets::WhenNeeded);
        for (ui::Form* form : forms(order)) {
            form->ensureBuilt();
            whenNeeded << looks(form);
        }
        shell::destroyForms();
    }
    const QStringList order = shell::createForms(shell::FormWidgets::AtOnce);
    const std::vector<ui::Form*> atOnce = forms(order);
    ASSERT_EQ(atOnce.size(), size_t(whenNeeded.size()));
    for (size_t i = 0; i < atOnce.size(); ++i) {
        SCOPED_TRACE(atOnce[i]->objectName().toStdString());
        EXPECT_TRUE(atOnce[i]->isBuilt());
        const QStringList built = looks(atOnce[i]);
        EXPECT_GT(built.size(), 2) << "a form with widgets";
        EXPECT_EQ(whenNeeded[int(i)], built);
    }
}

// The program's style is the platform's: only the menu bar's overflow arrows load late, and they
// are the platform style's own arrows when drawn.
TEST_F(StartUp, TheStyleDrawsThePlatformsIcons) {
    QStyle* style = QApplication::style();
    auto* proxy = dynamic_cast<QProxyStyle*>(style);
    ASSERT_NE(proxy, nullptr);
    QStyle* platform = proxy->baseStyle();
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_DialogOkButton, QStyle::SP_MessageBoxWarning}) {
        SCOPED_TRACE(static_cast<int>(which));
        const QIcon icon = style->standardIcon(which);
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(16).toImage(), platform->standardIcon(which).pixmap(16).toImage());
        EXPECT_EQ(icon.actualSize(QSize(32, 32)), platform->standardIcon(which).actualSize(QSize(32, 32)));
    }
}

TEST_F(StartUp, TheDatabaseErrorsShowRightAfterTheFirstPaint) {
    QDir().mkpath(ui::dataFolderPath());
    QFile file(QDir(ui::dataFolderPath()).filePath(QStringLiteral("loan.db")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("not a database at all\n").repeated(100));
    file.close();
    {
        ui::TablesAfterFirstPaint tables;
        shell::createForms();
        EXPECT_TRUE(messages_.empty()) << "nothing opened before the main window paints";
        tables.run();
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Error);
        EXPECT_TRUE(messages_.lastText().contains(file.fileName())) << messages_.lastText().toStdString();
        EXPECT_TRUE(messages_.lastText().contains(QStringLiteral("File > Restore Loan DB")));
        shell::destroyForms();
    }
    // Forms made outside start-up open their tables as they are made.
    messages_.clear();
    shell::createForms();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_TRUE(messages_.lastText().contains(file.fileName()));
}

// The program itself: it paints its main window with Qt Widgets and the widget seams only, then
// loads the program library, which makes the other forms and brings the databases, the printer and
// the engines. The dynamic linker's list of the files it loads, in one stream with the probe's
// lines, tells what came before the first paint.
TEST(Program, PaintsItsWindowThenLoadsTheRestAndMakesEveryForm) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TALVERO_HOME"), home.path());
    env.insert(QString::fromLatin1(ui::kQuitAtFirstPaint), QStringLiteral("1"));
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(TALVERO_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    const QStringList lines = QString::fromLocal8Bit(program.readAll()).split(u'\n');
    // The first line `matches`, or -1.
    const auto firstLine = [&lines](auto matches) {
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (matches(lines[i])) return i;
        return qsizetype(-1);
    };
    const auto lineOf = [&](const char* start) {
        return firstLine([start](const QString& line) { return line.startsWith(QLatin1String(start)); });
    };
    const auto loadedAt = [&](const char* file) {
        return firstLine([file](const QString& line) {
            return line.contains(QLatin1String("file=")) && line.contains(QLatin1String(file));
        });
    };
    const qsizetype painted = lineOf("first paint ");
    ASSERT_GE(painted, 0) << lines.join(u'\n').toStdString();
    EXPECT_GT(lineOf("started 30"), painted) << "every form after the main window";
    EXPECT_GE(loadedAt("libtalvero_ui.so"), 0);
    EXPECT_LT(loadedAt("libtalvero_ui.so"), painted);
    for (const char* later : {"libtalvero_program.so", "libQt6Sql.so", "libQt6PrintSupport.so",
                              "libsqlite3.so", "libtessera.so", "libvaulter.so", "libtalvero_ui_grids.so"}) {
        SCOPED_TRACE(later);
        EXPECT_GT(loadedAt(later), painted);
    }
}

} // namespace
