#include "disclosure/document.h"

#include <QSettings>
#include <QStringList>

#include <map>

namespace talvero::disclosure {

namespace {

using report::BandKind;
using report::Font;

// Column positions in report pixels: the four boxes and the schedule's columns, then the
// itemization's amount and text and the statements' text after their headings.
constexpr int kColumns[] = {0, 190, 370, 545, 20, 130, 100};
enum Column { C0, C1, C2, C3, Amount, Text, Statement };

// Text styles of a line: the body, a heading, a box's heading, a descriptor and a conspicuous figure.
struct Style {
    char key;
    int size;
    bool bold;
};
constexpr Style kStyles[] = {
    {'t', 10, false}, {'b', 10, true}, {'h', 9, true}, {'s', 8, false}, {'v', 13, true}};

QString fieldName(char style, int column) {
    return QStringLiteral("%1%2").arg(QLatin1Char(style)).arg(column);
}

using Line = std::map<QString, QString>;

class Lines : public report::RowSource {
public:
    explicit Lines(std::vector<Line> lines) : lines_(std::move(lines)) {}
    bool next() override { return ++at_ < lines_.size(); }
    QVariant value(const QString& field) const override {
        const auto it = lines_[at_].find(field);
        return it == lines_[at_].end() ? QVariant() : QVariant(it->second);
    }

private:
    std::vector<Line> lines_;
    std::size_t at_ = static_cast<std::size_t>(-1);
};

report::Definition definition(const QString& title, const QString& footer) {
    report::Definition def;
    def.title = title;
    Font heading;
    heading.pointSize = 15;
    heading.bold = true;
    def.bands.push_back({BandKind::Title, 36, {report::label(0, 0, title, heading)}});
    report::Band detail{BandKind::Detail, 17, {}};
    for (const Style& s : kStyles)
        for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
            Font f;
            f.pointSize = s.size;
            f.bold = s.bold;
            detail.items.push_back(report::field(kColumns[c], 0, fieldName(s.key, c), QString(), f));
        }
    def.bands.push_back(std::move(detail));
    Font small;
    small.pointSize = 8;
    def.bands.push_back(
        {BandKind::PageFooter,
         24,
         {report::label(0, 4, footer, small),
          report::special(report::ItemKind::PageNumber, 640, 4, QStringLiteral("Page "), small)}});
    return def;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// Words of `text` in lines of at most `width` characters; each '\n' starts a line.
QStringList wrap(const QString& text, int width) {
    QStringList out;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
                out << line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        out << line;
    }
    return out;
}

class Builder {
public:
    Line& line() { return lines.emplace_back(); }
    void put(Line& l, char style, Column c, const QString& text) { l[fieldName(style, c)] = text; }
    void text(const QString& t, char style = 't', Column c = C0, int width = 100) {
        for (const QString& w : wrap(t, width))
            put(line(), style, c, w);
    }
    void blank() { line(); }
    // A bold heading with its statement wrapped beside it.
    void statement(const QString& heading, const QString& body) {
        const QStringList w = wrap(body, 88);
        for (int k = 0; k < w.size(); ++k) {
            Line& l = line();
            if (k == 0) put(l, 'b', C0, heading);
            put(l, 't', Statement, w[k]);
        }
    }
    void rule() { put(line(), 't', C0, QString(121, QLatin1Char('_'))); }
    std::vector<Line> lines;
};

QString e(bool estimated) {
    return estimated ? QStringLiteral(" e") : QString();
}

void header(Builder& b, const Disclosure& d) {
    if (!d.creditor.empty()) b.text(q(d.creditor), 'b');
    if (!d.creditor_address.empty()) b.text(q(d.creditor_address));
    b.blank();
    Line& l = b.line();
    b.put(l, 't', C0, QStringLiteral("Borrower: ") + q(d.borrower));
    b.put(l, 't', C3, QStringLiteral("Date: ") + q(common::date_text(d.date)));
}

std::vector<Line> borrowerLines(const Disclosure& d) {
    Builder b;
    header(b, d);
    b.rule();
    {
        Line& l = b.line();
        b.put(l, 'h', C0, QStringLiteral("ANNUAL PERCENTAGE RATE"));
        b.put(l, 'h', C1, QStringLiteral("FINANCE CHARGE"));
        b.put(l, 't', C2, QStringLiteral("Amount Financed"));
        b.put(l, 't', C3, QStringLiteral("Total of Payments"));
    }
    const QStringList descriptors[] = {
        wrap(QStringLiteral("The cost of your credit as a yearly rate."), 28),
        wrap(QStringLiteral("The dollar amount the credit will cost you."), 28),
        wrap(QStringLiteral("The amount of credit provided to you or on your behalf."), 28),
        wrap(QStringLiteral("The amount you will have paid after you have made all payments as scheduled."),
             32)};
    qsizetype rows = 0;
    for (const QStringList& w : descriptors)
        rows = std::max(rows, w.size());
    for (qsizetype r = 0; r < rows; ++r) {
        Line& l = b.line();
        for (int c = 0; c < 4; ++c)
            if (r < descriptors[c].size()) b.put(l, 's', static_cast<Column>(c), descriptors[c][r]);
    }
    {
        Line& l = b.line();
        b.put(l, 'v', C0, q(percent(d.apr)) + e(d.estimated));
        b.put(l, 'v', C1, q(money(d.finance_charge)) + e(d.estimated));
        b.put(l, 't', C2, q(money(d.amount_financed)));
        b.put(l, 't', C3, q(money(d.total_of_payments)) + e(d.estimated));
    }
    b.rule();
    b.blank();

    b.text(QStringLiteral("Your payment schedule will be:"), 'b');
    {
        Line& l = b.line();
        b.put(l, 'b', C0, QStringLiteral("Number of Payments"));
        b.put(l, 'b', C1, QStringLiteral("Amount of Payments"));
        b.put(l, 'b', C2, QStringLiteral("When Payments Are Due"));
    }
    const Run* balloon = nullptr;
    for (const Run& r : d.schedule) {
        Line& l = b.line();
        b.put(l, 't', C0, QString::number(r.count));
        b.put(l, 't', C1, q(money(r.amount)));
        b.put(l, 't', C2,
              q(r.when) + (r.balloon ? QStringLiteral(" (balloon payment)") : QString()) + e(d.estimated));
        if (r.balloon) balloon = &r;
    }
    if (balloon) {
        b.blank();
        b.text(QStringLiteral("Final Balloon Payment due %1: %2")
                   .arg(q(common::date_text(balloon->first)), q(money(balloon->amount))),
               'b');
    }
    if (d.escrow_per_payment > 0)
        b.text(QStringLiteral(
                   "Each payment also includes %1 e for real-estate taxes and property insurance held in "
                   "escrow; it is not part of the Total of Payments.")
                   .arg(q(money(d.escrow_per_payment))));
    b.blank();

    if (d.life_premium > 0 || d.disability_premium > 0) {
        b.text(QStringLiteral("Insurance"), 'b');
        b.text(
            QStringLiteral("Credit life insurance and credit disability insurance are not required to obtain "
                           "credit, and will not be provided unless you sign and agree to pay the additional "
                           "cost."));
        Line& h = b.line();
        b.put(h, 'b', C0, QStringLiteral("Type"));
        b.put(h, 'b', C1, QStringLiteral("Premium"));
        b.put(h, 'b', C2, QStringLiteral("Signature"));
        struct Kind {
            const char* type;
            double premium;
            const char* want;
        };
        const Kind kinds[] = {
            {"Credit Life", d.life_premium, "I want credit life insurance."},
            {"Credit Disability", d.disability_premium, "I want credit disability insurance."}};
        for (const Kind& k : kinds) {
            if (k.premium <= 0) continue;
            Line& l = b.line();
            b.put(l, 't', C0, QString::fromLatin1(k.type));
            b.put(l, 't', C1, q(money(k.premium)));
            b.put(l, 't', C2, QString::fromLatin1(k.want));
            b.blank();
            b.put(b.line(), 't', C2, QStringLiteral("Signature ______________________________"));
        }
        b.blank();
    }
    b.statement(QStringLiteral("Security:"), q(d.statements.security));
    b.statement(QStringLiteral("Late Charge:"), q(d.statements.late_charge));
    b.statement(QStringLiteral("Prepayment:"), q(d.statements.prepayment));
    b.blank();
    b.text(QStringLiteral(
        "See your contract documents for any additional information about nonpayment, default, "
        "any required repayment in full before the scheduled date, and prepayment refunds and "
        "penalties."));
    if (d.estimated || d.escrow_per_payment > 0) b.text(QStringLiteral("e means an estimate"), 'b');
    b.rule();
    b.blank();

    if (d.itemize) {
        b.text(QStringLiteral("Itemization of the Amount Financed of %1").arg(q(money(d.amount_financed))),
               'b');
        auto item = [&](double amount, const QString& text) {
            Line& l = b.line();
            b.put(l, 't', Amount, q(money(amount)));
            b.put(l, 't', Text, text);
        };
        if (d.down_payment > 0) {
            item(d.amount_requested, QStringLiteral("Amount requested"));
            item(d.down_payment, QStringLiteral("less down payment"));
        }
        item(d.given_directly, QStringLiteral("Amount given to you directly"));
        item(d.paid_on_account, QStringLiteral("Amount paid on your account"));
        if (!d.paid_to_others.empty()) {
            b.put(b.line(), 't', Text, QStringLiteral("Amount paid to others on your behalf"));
            for (const OtherPayee& p : d.paid_to_others)
                item(p.amount, QStringLiteral("to ") + q(p.name));
        }
        item(d.prepaid_finance_charge, QStringLiteral("Prepaid finance charge"));
    } else {
        b.text(QStringLiteral(
            "You have the right to receive at this time an itemization of the Amount Financed."));
        b.text(QStringLiteral("[  ] I want an itemization.      [  ] I do not want an itemization."));
    }
    return b.lines;
}

QString fixed3(double v) {
    return q(fixed(v, 3));
}

std::vector<Line> examinerLines(const Disclosure& d) {
    Builder b;
    header(b, d);
    b.rule();
    const aprcheck::Verdict& v = d.check.verdict;
    b.text(QStringLiteral(
        "The calculation's Reg Z effective APR differs from the actuarial APR of Appendix J by "
        "more than the tolerance. The borrower's copy discloses the Appendix J APR."));
    b.blank();
    auto row = [&](const QString& caption, const QString& value) {
        Line& l = b.line();
        b.put(l, 't', C0, caption);
        b.put(l, 't', C2, value);
    };
    row(QStringLiteral("APR disclosed to the borrower"), q(percent(d.apr)));
    row(QStringLiteral("Reg Z effective APR of the calculation"), fixed3(v.disclosed) + QStringLiteral("%"));
    row(QStringLiteral("Appendix J APR"), fixed3(v.actuarial) + QStringLiteral("%"));
    row(QStringLiteral("Difference"), fixed3(v.difference));
    row(QStringLiteral("Transaction"), QString::fromLatin1(aprcheck::transaction_text(v)));
    row(QStringLiteral("Tolerance"), fixed3(v.tolerance));
    row(QStringLiteral("Verdict"), QString::fromLatin1(aprcheck::verdict_text(v)));
    row(QStringLiteral("Unit-period"), q(aprcheck::describe(d.check.unit)));
    row(QStringLiteral("Finance charge disclosed"), q(money(d.finance_charge)));
    row(QStringLiteral("Finance charge of the calculation"), q(money(v.disclosed_finance_charge)));
    return b.lines;
}

report::Renderer renderer(const QString& title, const QString& footer, std::vector<Line> lines,
                          const QDateTime& now) {
    return report::Renderer(
        definition(title, footer), [lines = std::move(lines)] { return std::make_unique<Lines>(lines); },
        now);
}

} // namespace

report::Renderer borrowerCopy(const Disclosure& d, const QDateTime& now) {
    return renderer(QString::fromLatin1(kTitle), QString::fromLatin1(kTitle), borrowerLines(d), now);
}

report::Renderer examinerPage(const Disclosure& d, const QDateTime& now) {
    return renderer(QStringLiteral("Examiner's Page"),
                    QStringLiteral("Examiner's page: not part of the borrower's copy"), examinerLines(d),
                    now);
}

Creditor loadCreditor(const QString& folder) {
    QSettings s(folder + QStringLiteral("/disclosure.ini"), QSettings::IniFormat);
    return {s.value(QStringLiteral("Creditor/Name")).toString(),
            s.value(QStringLiteral("Creditor/Address")).toString()};
}

bool saveCreditor(const QString& folder, const Creditor& c) {
    QSettings s(folder + QStringLiteral("/disclosure.ini"), QSettings::IniFormat);
    s.setValue(QStringLiteral("Creditor/Name"), c.name);
    s.setValue(QStringLiteral("Creditor/Address"), c.address);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace talvero::disclosure
