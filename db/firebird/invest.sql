-- Blank investment database (alias IBInvest), Firebird 3.
-- The program runs it statement by statement on first use of a database without tables; by hand:
--   isql-fb -user SYSDBA -i invest.sql localhost:/var/lib/firebird/3.0/data/invest.fdb
-- The same tables and columns as the SQLite schema. Money and share counts are doubles; dates are
-- month/day/year texts. The text columns are VARCHAR with NAME padded to 20 by triggers, as in the
-- SQLite schema: Qt's Firebird driver returns a CHAR column of a UTF8 connection padded to four
-- bytes a character, so CHAR(20) would come back 80 characters long.

CREATE TABLE INVESTSUMMARY (
    FUNDNO        INTEGER NOT NULL,
    ACTNO         INTEGER NOT NULL,
    NAME          VARCHAR(20),
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
    NAME        VARCHAR(20),
    TRANSDATE   VARCHAR(15),
    TRANSTYPE   VARCHAR(1),
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

-- NAME is a fixed 20-character field: shorter names are padded with blanks.
CREATE TRIGGER INVESTSUMMARY_NAME_PAD FOR INVESTSUMMARY BEFORE INSERT OR UPDATE
AS
BEGIN
    NEW.NAME = RPAD(NEW.NAME, 20);
END^

CREATE TRIGGER LINEITEM_NAME_PAD FOR LINEITEM BEFORE INSERT OR UPDATE
AS
BEGIN
    NEW.NAME = RPAD(NEW.NAME, 20);
END^

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
