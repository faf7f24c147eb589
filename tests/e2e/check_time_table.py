"""Reads the schedule table that the time-control page saved twice with dbfread, an independent
dBASE reader: the fields, 64 records, and the points as the simulated unit holds them."""
import sys

import dbfread

table = dbfread.DBF(sys.argv[1], load=True)
fields = [(f.name, f.type, f.length, f.decimal_count) for f in table.fields]
assert fields == [('POINTS', 'N', 4, 0), ('DATE', 'C', 8, 0), ('TIME', 'C', 8, 0), ('OUTS', 'N', 3, 0),
                  ('USED', 'N', 1, 0), ('CYCLE', 'N', 1, 0), ('DAY', 'N', 1, 0), ('ONOFF', 'N', 1, 0)], fields
assert (table.header.dbversion, table.header.headerlen, table.header.recordlen) == (3, 289, 28), table.header
records = [dict(r) for r in table.records]
assert len(records) == 64, len(records)
assert records[:32] == records[32:], 'the second save differs from the first'
assert [r['POINTS'] for r in records[:32]] == list(range(1, 33))
assert records[0] == dict(POINTS=1, DATE='11.12.03', TIME='08:30:00', OUTS=5, USED=1, CYCLE=3, DAY=3, ONOFF=0), records[0]
assert records[1] == dict(POINTS=2, DATE='11.12.28', TIME='08:05:00', OUTS=1, USED=2, CYCLE=0, DAY=0, ONOFF=1), records[1]
assert records[2] == dict(POINTS=3, DATE='11.12.28', TIME='08:05:00', OUTS=5, USED=2, CYCLE=0, DAY=0, ONOFF=0), records[2]
assert not table.deleted
print('dbfread: 64 records, 8 fields, header 289, record 28')
