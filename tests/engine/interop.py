"""Independent readers and writers of dBase tables for the engine's interoperability tests.

Run with /usr/bin/python3 (Debian's python3-dbfread and python3-dbf live there).
  interop.py dbfread TABLE ENCODING   CSV of the C, N, F, L, D fields of the live records
  interop.py write-dbf TABLE          writes a table with python-dbf (code page 852, LDID 0x64)
                                      and prints the same CSV of what it wrote
Values are written as xbtool dump writes them: strings right-trimmed, numbers with the
field's decimals, dates YYYY-MM-DD (empty when blank), logicals T/F (empty when unknown).
Exit status 3 when the reader refuses the table.
"""
import csv
import datetime
import decimal
import sys

KINDS = "CNFLD"


def text(value, decimals):
    if value is None:
        return ""
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, (datetime.date,)):
        return value.isoformat()
    if isinstance(value, (int, float, decimal.Decimal)):
        return f"{float(value):.{decimals}f}" if decimals >= 0 else str(value)
    return str(value).rstrip(" ")


def emit(names, rows):
    out = csv.writer(sys.stdout, lineterminator="\r\n")
    out.writerow(names)
    for row in rows:
        out.writerow(row)


def dbfread_dump(path, encoding):
    import dbfread
    try:
        table = dbfread.DBF(path, encoding=encoding, char_decode_errors="replace",
                            ignore_missing_memofile=True, load=True, recfactory=list)
    except Exception as exc:  # the reader refuses the table
        print(f"dbfread: {exc}", file=sys.stderr)
        sys.exit(3)
    fields = [f for f in table.fields if f.type in KINDS]
    rows = []
    for record in table.records:
        values = [value for _, value in record]  # pairs keep duplicate field names
        by_index = {i: f for i, f in enumerate(table.fields)}
        row = []
        for i, f in by_index.items():
            if f.type not in KINDS:
                continue
            decimals = f.decimal_count if f.type in "NF" else -1
            row.append(text(values[i], decimals))
        rows.append(row)
    emit([f.name for f in fields], rows)


def write_dbf(path):
    import dbf
    table = dbf.Table(path, "NAZWISKO C(30); DATA D; KWOTA N(10,2); ILE N(4,0); AKTYWNY L",
                      dbf_type="db3", codepage=0x64)
    table.open(dbf.READ_WRITE)
    rows = [
        ("Zażółć Gęślą Jaźń", dbf.Date(2024, 2, 29), 1234.5, 12, True),
        ("Łódź Świętokrzyska", None, -1.25, -7, False),
        ("", dbf.Date(2026, 12, 31), 0, 0, None),
    ]
    for row in rows:
        table.append(row)
    table.close()
    expected = []
    for name, day, amount, count, active in rows:
        expected.append([name, day.isoformat() if day else "", f"{amount:.2f}", str(count),
                         "" if active is None else ("T" if active else "F")])
    emit(["NAZWISKO", "DATA", "KWOTA", "ILE", "AKTYWNY"], expected)


if __name__ == "__main__":
    if sys.argv[1] == "dbfread":
        dbfread_dump(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "write-dbf":
        write_dbf(sys.argv[2])
    else:
        sys.exit(2)
