#pragma once
// Every SQL text the program issues, in one place. All values travel as bound parameters; nothing
// typed by a user is ever pasted into these texts. Placeholders are named after their columns.

#include <QStringView>

namespace db::sql {

// clang-format off

// SQLite connection settings: a rollback journal with synchronous FULL, so a process killed
// mid-transaction leaves the last committed state once the journal is rolled back on next open.
inline constexpr QStringView sqliteForeignKeys = u"PRAGMA foreign_keys = ON";
inline constexpr QStringView sqliteJournalMode = u"PRAGMA journal_mode = DELETE";
inline constexpr QStringView sqliteSynchronous = u"PRAGMA synchronous = FULL";
inline constexpr QStringView sqliteSchemaVersion = u"PRAGMA user_version";
inline constexpr QStringView sqliteCacheSize = u"PRAGMA cache_size";
// The tables of a database file, and whether it has one of a name (a foreign file has other tables).
inline constexpr QStringView sqliteTableCount =
    u"SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite!_%' ESCAPE '!'";
inline constexpr QStringView sqliteHasTable = u"SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = :NAME";

// SQLite transactions take the write lock at once.
inline constexpr QStringView sqliteBegin = u"BEGIN IMMEDIATE";
inline constexpr QStringView sqliteCommit = u"COMMIT";
inline constexpr QStringView sqliteRollback = u"ROLLBACK";

// Key generators (SQLite): raise a counter inside the caller's transaction and return it.
inline constexpr QStringView drawKeys =
    u"UPDATE KEYGEN SET NUM = NUM + :COUNT WHERE NAME = :NAME RETURNING NUM";

// Key generators (Firebird): the stored procedures themselves, NUMCOUNT numbers at once; NUM is the
// last of them. Firebird (QIBASE) differs from SQLite only in these texts and the two schema checks;
// every other text here runs unchanged on both (unquoted names, upper-cased by Firebird).
inline constexpr QStringView firebirdGETSUMNOGEN = u"EXECUTE PROCEDURE GETSUMNOGEN(:NUMCOUNT)";
inline constexpr QStringView firebirdGETRECNOGEN = u"EXECUTE PROCEDURE GETRECNOGEN(:NUMCOUNT)";
inline constexpr QStringView firebirdFUNDNOGEN = u"EXECUTE PROCEDURE FUNDNOGEN(:NUMCOUNT)";
inline constexpr QStringView firebirdProcedureExists =
    u"select count(*) from RDB$PROCEDURES where RDB$PROCEDURE_NAME = :NAME";

// Firebird: whether a database already has the program's tables and key procedures.
inline constexpr QStringView firebirdTableCount =
    u"select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = :NAME";
inline constexpr QStringView firebirdProcedureCount =
    u"select count(*) from RDB$PROCEDURES where RDB$PROCEDURE_NAME in ('GETSUMNOGEN', 'GETRECNOGEN', 'FUNDNOGEN')";

// Loan database (IBLoan).
inline constexpr QStringView insertLoanSummary =
    u"INSERT INTO LOANSUMMARY (LOANNO, SUMNO, ORGAMT, ORIGDT, FIRSTDUEDT, APR, FREQUENCY, NUMPAY, "
    u"REGZAPR, PAYMENT, SKPMONTH, INTMETHOD, DOWNAMT, FEEAMT, FEEPCT, FINANCEAMT, TOTALINTEREST, "
    u"TOTALINSURANCE, TOTALTAXES, TOTALPAYOUT, BLPAY) VALUES (:LOANNO, :SUMNO, :ORGAMT, :ORIGDT, "
    u":FIRSTDUEDT, :APR, :FREQUENCY, :NUMPAY, :REGZAPR, :PAYMENT, :SKPMONTH, :INTMETHOD, :DOWNAMT, "
    u":FEEAMT, :FEEPCT, :FINANCEAMT, :TOTALINTEREST, :TOTALINSURANCE, :TOTALTAXES, :TOTALPAYOUT, "
    u":BLPAY)";

inline constexpr QStringView insertLoanDetail =
    u"INSERT INTO LOANDETAIL (RECNO, LOANNO, PAYDATE, INTAMT, PRINAMT, DSINS, LFINS, TAXES, HOINS, "
    u"OTINS, PAYMENT, BALANCE) VALUES (:RECNO, :LOANNO, :PAYDATE, :INTAMT, :PRINAMT, :DSINS, :LFINS, "
    u":TAXES, :HOINS, :OTINS, :PAYMENT, :BALANCE)";

// Schedule listings read the rows in RECNO order so every database returns them in schedule order.
inline constexpr QStringView loanPreview =
    u"select LOANDETAIL.PAYDATE, LOANDETAIL.INTAMT, LOANDETAIL.PRINAMT, LOANDETAIL.DSINS, LOANDETAIL.LFINS, LOANDETAIL.TAXES, LOANDETAIL.HOINS, LOANDETAIL.OTINS, LOANDETAIL.PAYMENT, LOANDETAIL.BALANCE, LOANSUMMARY.ORGAMT, LOANSUMMARY.APR, LOANSUMMARY.FREQUENCY, LOANSUMMARY.NUMPAY, LOANSUMMARY.INTMETHOD, LOANSUMMARY.DOWNAMT, LOANSUMMARY.FEEAMT, LOANSUMMARY.FINANCEAMT from LOANSUMMARY, LOANDETAIL where LOANDETAIL.LOANNO = :Param1 AND LOANSUMMARY.LOANNO = :Param1"
    u" order by LOANDETAIL.RECNO";

inline constexpr QStringView balloonPreview =
    u"select LOANDETAIL.PAYDATE, LOANDETAIL.INTAMT, LOANDETAIL.PRINAMT, LOANDETAIL.DSINS, LOANDETAIL.LFINS, LOANDETAIL.TAXES, LOANDETAIL.HOINS, LOANDETAIL.OTINS, LOANDETAIL.PAYMENT, LOANDETAIL.BALANCE, LOANSUMMARY.ORGAMT, LOANSUMMARY.APR, LOANSUMMARY.FREQUENCY, LOANSUMMARY.NUMPAY, LOANSUMMARY.INTMETHOD, LOANSUMMARY.DOWNAMT, LOANSUMMARY.FEEAMT, LOANSUMMARY.FINANCEAMT, LOANSUMMARY.BLPAY from LOANSUMMARY, LOANDETAIL where LOANDETAIL.LOANNO = :Param1 AND LOANSUMMARY.LOANNO = :Param1"
    u" order by LOANDETAIL.RECNO";

inline constexpr QStringView portfolioList =
    u"select loanno, orgamt, origdt, firstduedt, apr, frequency, numpay, regzapr, payment, skpmonth, intmethod, downamt, feeamt, feepct, financeamt, totalinterest, totalinsurance, totaltaxes, totalpayout, blpay, sumno from LOANSUMMARY order by orgamt";

inline constexpr QStringView portfolioReport =
    u"select LOANDETAIL.PAYDATE, LOANDETAIL.INTAMT, LOANDETAIL.PRINAMT, LOANDETAIL.DSINS, LOANDETAIL.LFINS, LOANDETAIL.TAXES, LOANDETAIL.HOINS, LOANDETAIL.OTINS, LOANDETAIL.PAYMENT, LOANDETAIL.BALANCE, LOANSUMMARY.ORGAMT, LOANSUMMARY.APR, LOANSUMMARY.FREQUENCY, LOANSUMMARY.NUMPAY, LOANSUMMARY.INTMETHOD, LOANSUMMARY.DOWNAMT, LOANSUMMARY.FEEAMT, LOANSUMMARY.BLPAY, LOANSUMMARY.FINANCEAMT from LOANSUMMARY, LOANDETAIL where LOANDETAIL.LOANNO = :Param4 AND LOANSUMMARY.LOANNO = :Param4"
    u" order by LOANDETAIL.RECNO";

// The balance after each payment of a saved loan, in schedule order: the comparison chart's curve.
inline constexpr QStringView loanBalances =
    u"select PAYDATE, BALANCE from LOANDETAIL where LOANNO = :Param1 and BALANCE is not null order by RECNO";
inline constexpr QStringView compareLoan1 = u"select * from LOANSUMMARY where LOANNO = :Para1";
inline constexpr QStringView compareLoan2 = u"select * from LOANSUMMARY where LOANNO = :Para2";
inline constexpr QStringView compareLoan3 = u"select * from LOANSUMMARY where LOANNO = :Para3";

// Investment database (IBInvest).
inline constexpr QStringView insertInvestSummary =
    u"INSERT INTO INVESTSUMMARY (FUNDNO, ACTNO, NAME, CURRENTPRICE, TOTSHARES, TOTBOOKVALUE, TOTVALUE, "
    u"GAINDOLLARS, GAINPERCENT, AVERAGECOST, LASTPRICE) VALUES (:FUNDNO, :ACTNO, :NAME, :CURRENTPRICE, "
    u":TOTSHARES, :TOTBOOKVALUE, :TOTVALUE, :GAINDOLLARS, :GAINPERCENT, :AVERAGECOST, :LASTPRICE)";

inline constexpr QStringView insertLineItem =
    u"INSERT INTO LINEITEM (RECNO, FUNDNO, ACTNO, NAME, TRANSDATE, TRANSTYPE, SHARES, PRICE, COMMISSION, "
    u"FEE, DIVIDEND, BOOKVALUE) VALUES (:RECNO, :FUNDNO, :ACTNO, :NAME, :TRANSDATE, :TRANSTYPE, :SHARES, "
    u":PRICE, :COMMISSION, :FEE, :DIVIDEND, :BOOKVALUE)";

// A posting rewrites every total of the account row.
inline constexpr QStringView updateAccountTotals =
    u"UPDATE INVESTSUMMARY SET CURRENTPRICE = :CURRENTPRICE, TOTSHARES = :TOTSHARES, "
    u"TOTBOOKVALUE = :TOTBOOKVALUE, TOTVALUE = :TOTVALUE, GAINDOLLARS = :GAINDOLLARS, "
    u"GAINPERCENT = :GAINPERCENT, AVERAGECOST = :AVERAGECOST, LASTPRICE = :LASTPRICE WHERE ACTNO = :ACTNO";

inline constexpr QStringView accountList =
    u"select fundno, actno, name, currentprice, totshares, totbookvalue, totvalue, gaindollars, gainpercent, averagecost, lastprice from INVESTSUMMARY order by actno";

inline constexpr QStringView account = u"select * from INVESTSUMMARY where ACTNO = :Para1";

inline constexpr QStringView lineItemsByAccount =
    u"select recno, fundno, actno, name, transdate, transtype, shares, price, commission, fee, dividend, bookvalue from LINEITEM order by actno";

inline constexpr QStringView lineItemsByFund =
    u"select recno, fundno, actno, name, transdate, transtype, shares, price, commission, fee, dividend, bookvalue from LINEITEM order by fundno";

inline constexpr QStringView accountLineItems = u"select * from LINEITEM where ACTNO = :Para1";

inline constexpr QStringView lineItem = u"select * from LINEITEM where RECNO = :Para1";

// One account's transactions in the order they were posted.
inline constexpr QStringView accountLineItemsInOrder =
    u"select * from LINEITEM where ACTNO = :Para1 order by RECNO";

// Revaluation: a new price and the figures derived from it; shares and book value stay.
inline constexpr QStringView revalueAccount =
    u"UPDATE INVESTSUMMARY SET CURRENTPRICE = :CURRENTPRICE, TOTVALUE = :TOTVALUE, "
    u"GAINDOLLARS = :GAINDOLLARS, GAINPERCENT = :GAINPERCENT, AVERAGECOST = :AVERAGECOST, "
    u"LASTPRICE = :LASTPRICE WHERE ACTNO = :ACTNO";
// Deleting accounts and transactions, and the transaction history report.
inline constexpr QStringView accountOfFund = u"select * from INVESTSUMMARY where FUNDNO = :FUNDNO";
inline constexpr QStringView deleteFundAccounts = u"DELETE FROM INVESTSUMMARY WHERE FUNDNO = :FUNDNO";
inline constexpr QStringView deleteFundLineItems = u"DELETE FROM LINEITEM WHERE FUNDNO = :FUNDNO";
inline constexpr QStringView deleteLineItem = u"DELETE FROM LINEITEM WHERE RECNO = :RECNO";
// What returns read of the line items (of one account, of all): the reader puts them in RECNO
// order itself, which costs less than a sort by the database over every column.
inline constexpr QStringView accountReturnItems =
    u"select ACTNO, RECNO, TRANSDATE, TRANSTYPE, SHARES, PRICE, COMMISSION, FEE, DIVIDEND from LINEITEM where ACTNO = :Para1";
inline constexpr QStringView returnItems =
    u"select ACTNO, RECNO, TRANSDATE, TRANSTYPE, SHARES, PRICE, COMMISSION, FEE, DIVIDEND from LINEITEM";
inline constexpr QStringView accountLineItemCount =
    u"select ACTNO, count(*) from LINEITEM where ACTNO = :Para1 group by ACTNO";
inline constexpr QStringView lineItemCounts = u"select ACTNO, count(*) from LINEITEM group by ACTNO";

// The history report keeps each account's transactions in the order they were posted.
inline constexpr QStringView lineItemsByAccountInOrder =
    u"select recno, fundno, actno, name, transdate, transtype, shares, price, commission, fee, dividend, bookvalue from LINEITEM order by actno, recno";

// clang-format on

} // namespace db::sql
