-- Blank loan database (alias IBLoan), Firebird 3.
-- The program runs it statement by statement on first use of a database without tables; by hand:
--   isql-fb -user SYSDBA -i loan.sql localhost:/var/lib/firebird/3.0/data/loan.fdb
-- The same tables and columns as the SQLite schema. Money and counts are doubles; dates are
-- month/day/year texts; empty values are NULL.

CREATE TABLE LOANSUMMARY (
    LOANNO          INTEGER NOT NULL,
    SUMNO           INTEGER NOT NULL,
    ORGAMT          DOUBLE PRECISION,
    ORIGDT          VARCHAR(15),
    FIRSTDUEDT      VARCHAR(15),
    APR             DOUBLE PRECISION,
    FREQUENCY       DOUBLE PRECISION,
    NUMPAY          DOUBLE PRECISION,
    REGZAPR         DOUBLE PRECISION,
    PAYMENT         DOUBLE PRECISION,
    SKPMONTH        SMALLINT,
    INTMETHOD       SMALLINT,
    DOWNAMT         DOUBLE PRECISION,
    FEEAMT          DOUBLE PRECISION,
    FEEPCT          DOUBLE PRECISION,
    FINANCEAMT      DOUBLE PRECISION,
    TOTALINTEREST   DOUBLE PRECISION,
    TOTALINSURANCE  DOUBLE PRECISION,
    TOTALTAXES      DOUBLE PRECISION,
    TOTALPAYOUT     DOUBLE PRECISION,
    BLPAY           DOUBLE PRECISION,
    CONSTRAINT LOANSUMMARY_LOANNO UNIQUE (LOANNO),
    CONSTRAINT LOANSUMMARY_SUMNO UNIQUE (SUMNO)
);

-- PAYDATE holds "MM/DD/YYYY", "TOTALS YYYY" or "GRAND TOTALS"; BALANCE is NULL on total rows.
CREATE TABLE LOANDETAIL (
    RECNO    INTEGER NOT NULL,
    LOANNO   INTEGER NOT NULL,
    PAYDATE  VARCHAR(20),
    INTAMT   DOUBLE PRECISION,
    PRINAMT  DOUBLE PRECISION,
    DSINS    DOUBLE PRECISION,
    LFINS    DOUBLE PRECISION,
    TAXES    DOUBLE PRECISION,
    HOINS    DOUBLE PRECISION,
    OTINS    DOUBLE PRECISION,
    PAYMENT  DOUBLE PRECISION,
    BALANCE  DOUBLE PRECISION,
    CONSTRAINT LOANDETAIL_RECNO UNIQUE (RECNO)
);

-- Previews and reports read one loan's rows in RECNO order.
CREATE INDEX LOANDETAIL_LOANNO ON LOANDETAIL (LOANNO, RECNO);

-- Key generators: server-side sequences, outside every transaction, so several programs saving at
-- once never get the same number. Each procedure raises its sequence by NUMCOUNT (1 when called
-- without input) and returns the new value as NUM: the last number of a block of NUMCOUNT.
CREATE SEQUENCE SUMNO_SEQ;
CREATE SEQUENCE LOANRECNO_SEQ;
COMMIT;

SET TERM ^ ;

CREATE PROCEDURE GETRECNOGEN (NUMCOUNT INTEGER = 1)
RETURNS (NUM INTEGER)
AS
BEGIN
    NUM = GEN_ID(LOANRECNO_SEQ, NUMCOUNT);
END^

CREATE PROCEDURE GETSUMNOGEN (NUMCOUNT INTEGER = 1)
RETURNS (NUM INTEGER)
AS
BEGIN
    NUM = GEN_ID(SUMNO_SEQ, NUMCOUNT);
END^

SET TERM ; ^
COMMIT;
