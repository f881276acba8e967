-- Blank investment database (alias IBInvest), Firebird 3.
-- The program runs it statement by statement on first use of a database without tables; by hand:
--   isql-fb -user SYSDBA -i invest.sql localhost:/var/lib/firebird/3.0/data/invest.fdb
-- The same tables and columns as the SQLite schema. Money and share counts are doubles; dates are
-- month/day/year texts; CHAR columns are padded with blanks by the server.

CREATE TABLE INVESTSUMMARY (
    FUNDNO        INTEGER NOT NULL,
    ACTNO         INTEGER NOT NULL,
    NAME          CHAR(20),
    CURRENTPRICE  DOUBLE PRECISION,
    TOTSHARES     DOUBLE PRECISION,
    TOTBOOKVALUE  DOUBLE PRECISION,
    TOTVALUE      DOUBLE PRECISION,
    GAINDOLLARS   DOUBLE PRECISION,
    GAINPERCENT   DOUBLE PRECISION,
    AVERAGECOST   DOUBLE PRECISION,
    LASTPRICE     DOUBLE PRECISION,
    CONSTRAINT INVESTSUMMARY_FUNDNO UNIQUE (FUNDNO),
    CONSTRAINT INVESTSUMMARY_ACTNO UNIQUE (ACTNO)
);

CREATE TABLE LINEITEM (
    RECNO       INTEGER NOT NULL,
    FUNDNO      INTEGER,
    ACTNO       INTEGER,
    NAME        CHAR(20),
    TRANSDATE   CHAR(15),
    TRANSTYPE   CHAR(1),
    SHARES      DOUBLE PRECISION,
    PRICE       DOUBLE PRECISION,
    COMMISSION  DOUBLE PRECISION,
    FEE         DOUBLE PRECISION,
    DIVIDEND    DOUBLE PRECISION,
    BOOKVALUE   DOUBLE PRECISION,
    CONSTRAINT LINEITEM_RECNO UNIQUE (RECNO)
);

CREATE INDEX LINEITEM_ACTNO ON LINEITEM (ACTNO);
CREATE INDEX LINEITEM_FUNDNO ON LINEITEM (FUNDNO);

-- Key generators: server-side sequences, outside every transaction, so several programs posting at
-- once never get the same number. Each procedure raises its sequence by NUMCOUNT (1 when called
-- without input) and returns the new value as NUM.
CREATE SEQUENCE FUNDNO_SEQ;
CREATE SEQUENCE INVESTRECNO_SEQ;
COMMIT;

SET TERM ^ ;

CREATE PROCEDURE GETRECNOGEN (NUMCOUNT INTEGER = 1)
RETURNS (NUM INTEGER)
AS
BEGIN
    NUM = GEN_ID(INVESTRECNO_SEQ, NUMCOUNT);
END^

CREATE PROCEDURE FUNDNOGEN (NUMCOUNT INTEGER = 1)
RETURNS (NUM INTEGER)
AS
BEGIN
    NUM = GEN_ID(FUNDNO_SEQ, NUMCOUNT);
END^

SET TERM ; ^
COMMIT;
