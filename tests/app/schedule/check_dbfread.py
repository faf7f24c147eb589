"""Reads the schedule table with dbfread, an independent dBASE reader, and checks every field."""
import sys

import dbfread

table = dbfread.DBF(sys.argv[1], load=True)
fields = [(f.name, f.type, f.length, f.decimal_count) for f in table.fields]
expected_fields = [('POINTS', 'N', 4, 0), ('DATE', 'C', 8, 0), ('TIME', 'C', 8, 0), ('OUTS', 'N', 3, 0),
                   ('USED', 'N', 1, 0), ('CYCLE', 'N', 1, 0), ('DAY', 'N', 1, 0), ('ONOFF', 'N', 1, 0)]
assert fields == expected_fields, fields
assert table.header.dbversion == 3, table.header.dbversion
assert table.header.headerlen == 289, table.header.headerlen
assert table.header.recordlen == 28, table.header.recordlen
assert table.header.numrecords == 6, table.header.numrecords

# Two saves of the same three points: the first creates the table, the second appends to it.
saved = [
    dict(POINTS=1, DATE='11.12.28', TIME='08:05:00', OUTS=5, USED=2, CYCLE=0, DAY=0, ONOFF=0),
    dict(POINTS=2, DATE='11.12.03', TIME='08:30:00', OUTS=5, USED=1, CYCLE=3, DAY=3, ONOFF=1),
    dict(POINTS=32, DATE='00.00.00', TIME='00:00:00', OUTS=255, USED=0, CYCLE=4, DAY=0, ONOFF=0),
]
records = [dict(r) for r in table.records]
assert records == saved + saved, records
assert not table.deleted, table.deleted

with open(sys.argv[1], 'rb') as f:
    data = f.read()
assert len(data) == 289 + 6 * 28 + 1 and data[-1] == 0x1A, len(data)
print('dbfread: 6 records, 8 fields, header 289, record 28')
