#include "cli/loan.h"

#include "common/calendar.h"
#include "common/loan_amounts.h"
#include "common/today.h"
#include "tessera/tessera.h"
#include "vaulter/vaulter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>

namespace talvero::cli {

namespace {

enum class Type { Number, Integer, Date };

struct Field {
    const char* name;
    Type type;
    double common::RegularBlock::*number = nullptr;
    int common::RegularBlock::*integer = nullptr;
};

using B = common::RegularBlock;

// clang-format off
const Field kFields[] = {
    {"FINANCEAMT", Type::Number, &B::FINANCEAMT},
    {"APR", Type::Number, &B::APR},
    {"NUMPAY", Type::Number, &B::NUMPAY},
    {"PAYMENT", Type::Number, &B::PAYMENT},
    {"DSRATE", Type::Number, &B::DSRATE},
    {"DSFREQ", Type::Number, &B::DSFREQ},
    {"DSYEARS", Type::Number, &B::DSYEARS},
    {"LFRATE", Type::Number, &B::LFRATE},
    {"LFFREQ", Type::Number, &B::LFFREQ},
    {"LFYEARS", Type::Number, &B::LFYEARS},
    {"TAXES", Type::Number, &B::TAXES},
    {"SKPMONTH", Type::Integer, nullptr, &B::SKPMONTH},
    {"FIRSTDUE", Type::Date},
    {"INTMETHOD", Type::Integer, nullptr, &B::INTMETHOD},
    {"FREQUENCY", Type::Number, &B::FREQUENCY},
    {"HOINS", Type::Number, &B::HOINS},
    {"OTINS", Type::Number, &B::OTINS},
    {"TERMYEARS", Type::Number, &B::TERMYEARS},
    {"ODDDAYS", Type::Integer, nullptr, &B::ODDDAYS},
    {"LOANDATE", Type::Date},
    {"ORGAMT", Type::Number, &B::ORGAMT},
    {"FEEAMT", Type::Number, &B::FEEAMT},
    {"FEEPCT", Type::Number},
    {"DOWNAMT", Type::Number, &B::DOWNAMT},
    {"TOTALINTEREST", Type::Number, &B::TOTALINTEREST},
    {"BLPAY", Type::Number},
    {"REGZAPR", Type::Number},
};
// clang-format on

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string quoted(const char* format, std::string_view value) {
    char text[256];
    const std::string v(value.substr(0, 200));
    std::snprintf(text, sizeof text, format, v.c_str());
    return text;
}

// The whole text is the number; blanks around it are allowed. The point is the decimal separator
// whatever the locale, so a command that starts Qt Gui (which takes the user's locale) reads the same.
bool to_double(std::string_view text, double& value) {
    std::string_view t = trim(text);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (t.empty()) return false;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
    return r.ec == std::errc() && r.ptr == t.data() + t.size() && std::isfinite(value);
}

bool to_int(std::string_view text, int& value) {
    const std::string t(trim(text));
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (end != t.c_str() + t.size() || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

std::string engine_text;

void collect(void*, int, const char* text) {
    if (!engine_text.empty()) engine_text += ' ';
    engine_text += text ? text : "";
}

std::string one_line(std::string s) {
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
}

} // namespace

std::string read_number(std::string_view text, double& value) {
    if (!to_double(text, value)) return quoted("'%s' is not a valid floating point value", text);
    return {};
}

std::string read_integer(std::string_view text, int& value) {
    if (!to_int(text, value)) return quoted("'%s' is not a valid integer value", text);
    return {};
}

std::string read_date(std::string_view text, common::Date& date) {
    const std::string t(trim(text));
    const bool digits = t.size() == 8 && std::all_of(t.begin(), t.end(), [](char c) {
                            return std::isdigit(static_cast<unsigned char>(c));
                        });
    date = common::read_mmddccyy(t.c_str());
    if (!digits || date.month < 1 || date.month > 12 || date.year < 1900 || date.day < 1 ||
        date.day > common::month_length(date.month, date.year))
        return quoted("'%s' is not a valid date (MMDDCCYY)", text);
    return {};
}

std::string_view field_list() {
    return "FINANCEAMT APR NUMPAY PAYMENT DSRATE DSFREQ DSYEARS LFRATE LFFREQ LFYEARS TAXES SKPMONTH "
           "FIRSTDUE "
           "INTMETHOD FREQUENCY HOINS OTINS TERMYEARS ODDDAYS LOANDATE ORGAMT FEEAMT FEEPCT DOWNAMT "
           "TOTALINTEREST "
           "BLPAY";
}

std::string set_field(Loan& loan, std::string_view raw_name, std::string_view value) {
    const std::string name = upper(trim(raw_name));
    if (name == "LOAN") {
        loan.id = std::string(trim(value));
        return {};
    }
    const Field* field = nullptr;
    for (const Field& f : kFields)
        if (name == f.name) field = &f;
    if (!field) return quoted("unknown field '%s'", raw_name);
    B& b = loan.block;
    switch (field->type) {
    case Type::Number: {
        double v = 0;
        if (std::string e = read_number(value, v); !e.empty()) return e;
        if (field->number)
            b.*field->number = v;
        else if (name == "BLPAY") {
            loan.BLPAY = v;
            loan.balloon = true;
        } else if (name == "FEEPCT")
            loan.FEEPCT = v;
        else
            loan.disclosed_apr = v;
        if (name == "FINANCEAMT") loan.financeamt_given = true;
        if (name == "ORGAMT") loan.orgamt_given = true;
        if (name == "TERMYEARS") loan.termyears_given = true;
        if (name == "FREQUENCY") loan.frequency_given = true;
        return {};
    }
    case Type::Integer: {
        int v = 0;
        if (std::string e = read_integer(value, v); !e.empty()) return e;
        b.*field->integer = v;
        if (name == "ODDDAYS") loan.odddays_given = true;
        return {};
    }
    case Type::Date: {
        common::Date d;
        if (std::string e = read_date(value, d); !e.empty()) return e;
        const std::string t(trim(value));
        if (name == "FIRSTDUE") {
            std::memset(b.FIRSTDUE, 0, sizeof b.FIRSTDUE);
            std::memcpy(b.FIRSTDUE, t.data(), 8);
        } else {
            b.LOANDATE[0] = d.month;
            b.LOANDATE[1] = d.day;
            b.LOANDATE[2] = d.year;
        }
        return {};
    }
    }
    return {};
}

std::string prepare(Loan& loan) {
    B& b = loan.block;
    if (!loan.frequency_given) b.FREQUENCY = 12;
    if (!loan.financeamt_given && !loan.orgamt_given) return "FINANCEAMT or ORGAMT is required";
    if (loan.FEEPCT < 0 || loan.FEEPCT > 49.99) return "FEEPCT must be 0 to 49.99";
    if (loan.FEEPCT != 0 && !loan.orgamt_given) return "FEEPCT needs ORGAMT, the amount it is a percent of";
    if (!loan.orgamt_given) b.ORGAMT = b.FINANCEAMT - b.FEEAMT + b.DOWNAMT;
    // The loan forms' derivation; the command line takes the down payment and fees as totals.
    common::LoanFactors factors;
    factors.ORGAMT = b.ORGAMT;
    factors.DOWNPAYAMT = b.DOWNAMT;
    factors.FEEPAYAMT = b.FEEAMT;
    factors.FEEPCT = loan.FEEPCT;
    factors.LOANDATE = {b.LOANDATE[0], b.LOANDATE[1], b.LOANDATE[2]};
    factors.FIRSTDUE = common::first_due_or_today(b.FIRSTDUE);
    const common::DerivedAmounts derived = common::derive_amounts(factors);
    b.DOWNAMT = derived.DOWNAMT;
    b.FEEAMT = derived.FEEAMT;
    if (!loan.financeamt_given) b.FINANCEAMT = derived.FINANCEAMT;
    if (!(b.FINANCEAMT > 0) || b.FINANCEAMT > 1000000.0)
        return "FINANCEAMT must be above 0 and at most 1000000.00";
    if (!(b.FREQUENCY > 0) || b.FREQUENCY > 52) return "FREQUENCY must be above 0 and at most 52";
    if (b.INTMETHOD < 0 || b.INTMETHOD > 7) return "INTMETHOD must be 0 to 7";
    if (b.APR < 0 || b.APR > 49.99) return "APR must be 0 to 49.99";
    if (b.NUMPAY < 0 || b.NUMPAY >= 100000) return "NUMPAY must be 0 to 99999";
    if (b.NUMPAY != std::floor(b.NUMPAY)) return "NUMPAY must be a whole number";
    if (b.PAYMENT < 0 || b.TOTALINTEREST < 0) return "PAYMENT and TOTALINTEREST must not be negative";
    if (b.DSRATE < 0 || b.DSRATE >= 1 || b.LFRATE < 0 || b.LFRATE >= 1)
        return "DSRATE and LFRATE must be 0 to below 1";
    if (b.DSFREQ < 0 || b.DSFREQ > 52 || b.LFFREQ < 0 || b.LFFREQ > 52)
        return "DSFREQ and LFFREQ must be 0 to 52";
    if (b.SKPMONTH < 0 || (b.NUMPAY > 0 && b.SKPMONTH > b.NUMPAY)) return "SKPMONTH must be 0 to NUMPAY";
    if (loan.balloon) {
        if (loan.BLPAY < 0 || loan.BLPAY != std::floor(loan.BLPAY))
            return "BLPAY must be a whole number, 0 or more";
        if (b.NUMPAY > 0 && loan.BLPAY > b.NUMPAY) return "BLPAY must not exceed NUMPAY";
    }
    if (!loan.termyears_given && b.NUMPAY > 0) b.TERMYEARS = std::max(b.NUMPAY / b.FREQUENCY, 1.0);
    if (!loan.odddays_given && b.LOANDATE[0] >= 1) {
        if (common::day_number(factors.LOANDATE) > common::day_number(factors.FIRSTDUE))
            return "LOANDATE falls after FIRSTDUE";
        b.ODDDAYS = derived.ODDDAYS;
    }
    if (b.ODDDAYS < 0) return "ODDDAYS must not be negative";
    std::fill(b.RESERVED, b.RESERVED + 3, 0);
    std::fill(b.MATURITY, b.MATURITY + 3, 0);
    common::set_insurance_bases(b);
    b.PAYOFFMODE = 0;
    return {};
}

std::string compute(Loan& loan) {
    B& d = loan.block;
    engine_text.clear();
    if (loan.balloon) {
        VaulterSetMessageHandler(&collect);
        common::BalloonBlock v;
        static_cast<common::LoanBlock&>(v) = d;
        v.BLPAY = loan.BLPAY;
        Vaulter(&v.FINANCEAMT, &v.APR, &v.NUMPAY, &v.PAYMENT, &v.DSRATE, &v.DSFREQ, &v.DSYEARS, &v.LFRATE,
                &v.LFFREQ, &v.LFYEARS, &v.TAXES, &v.SKPMONTH, v.FIRSTDUE, &v.INTMETHOD, &v.FREQUENCY,
                &v.RESERVED[0], &v.RESERVED[1], &v.RESERVED[2], &v.MATURITY[0], &v.MATURITY[1],
                &v.MATURITY[2], &v.DSPREM, &v.LFPREM, &v.DSNUMPAY, &v.LFNUMPAY, &v.HOINS, &v.OTINS,
                &v.TERMYEARS, &v.ODDDAYS, &v.LOANDATE[0], &v.LOANDATE[1], &v.LOANDATE[2], &v.ORGAMT,
                &v.FEEAMT, &v.DOWNAMT, &v.TOTALINTEREST, &v.REGZAPR, &v.LASTPAY, &v.TOTALPRINCIPAL,
                &v.TOTALINSURANCE, &v.TOTALTAXES, &v.TOTALPAYOUT, &v.BLPAY, &v.ERRFLAG);
        static_cast<common::LoanBlock&>(d) = v;
        loan.BLPAY = v.BLPAY;
        d.ERRFLAG = v.ERRFLAG;
    } else {
        TesseraSetMessageHandler(&collect);
        Tessera(&d.FINANCEAMT, &d.APR, &d.NUMPAY, &d.PAYMENT, &d.DSRATE, &d.DSFREQ, &d.DSYEARS, &d.LFRATE,
                &d.LFFREQ, &d.LFYEARS, &d.TAXES, &d.SKPMONTH, d.FIRSTDUE, &d.INTMETHOD, &d.FREQUENCY,
                &d.RESERVED[0], &d.RESERVED[1], &d.RESERVED[2], &d.MATURITY[0], &d.MATURITY[1],
                &d.MATURITY[2], &d.DSPREM, &d.LFPREM, &d.DSNUMPAY, &d.LFNUMPAY, &d.HOINS, &d.OTINS,
                &d.TERMYEARS, &d.ODDDAYS, &d.LOANDATE[0], &d.LOANDATE[1], &d.LOANDATE[2], &d.ORGAMT,
                &d.FEEAMT, &d.DOWNAMT, &d.TOTALINTEREST, &d.REGZAPR, &d.LASTPAY, &d.TOTALPRINCIPAL,
                &d.TOTALINSURANCE, &d.TOTALTAXES, &d.TOTALPAYOUT, &d.ERRFLAG, &d.PAYOFFMODE, &d.PAYOFFPER,
                &d.PAYOFFDAYS, &d.PAYSMADE, &d.CURBAL);
    }
    // A refusal, or the plain notice of a loan the engine could not work out.
    if (d.ERRFLAG == 1 || !engine_text.empty())
        return "the engine refused the loan: " + one_line(engine_text.empty() ? "no message" : engine_text);
    return {};
}

// Reads the loan options; returns false after writing the error.
bool read_options(const std::vector<std::string>& args, Loan& loan, std::ostream& err) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--balloon") {
            loan.balloon = true;
            continue;
        }
        if (a.rfind("--", 0) != 0 || a.size() < 3) {
            err << "talvero-cli: unexpected argument '" << a << "'\n";
            return false;
        }
        std::string name = a.substr(2), value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (k + 1 < args.size()) {
            value = args[++k];
        } else {
            err << "talvero-cli: --" << name << " needs a value\n";
            return false;
        }
        if (const std::string e = set_field(loan, name, value); !e.empty()) {
            err << "talvero-cli: --" << name << ": " << e << '\n';
            return false;
        }
    }
    if (const std::string e = prepare(loan); !e.empty()) {
        err << "talvero-cli: " << e << '\n';
        return false;
    }
    return true;
}

bool computed(const std::vector<std::string>& args, Loan& loan, std::ostream& err) {
    if (!read_options(args, loan, err)) return false;
    if (const std::string e = compute(loan); !e.empty()) {
        err << "talvero-cli: " << e << '\n';
        return false;
    }
    return true;
}

schedule::Variant variant(const Loan& loan) {
    return loan.balloon ? schedule::Variant::balloon_term(loan.BLPAY) : schedule::Variant::regular();
}

aprcheck::LoanCheck check(const Loan& loan) {
    return aprcheck::check_loan(loan.block, loan.block.PAYMENT, variant(loan), std::nullopt,
                                loan.disclosed_apr);
}

} // namespace talvero::cli
