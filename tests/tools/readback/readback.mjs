// Prints one table of an Access file as JSON, read by mdb-reader: the tests' reader
// that shares no code with libmdb. Usage: node readback.mjs FILE [TABLE]
// (without TABLE, the first user table).
import MDBReader from "mdb-reader";
import { readFileSync } from "node:fs";

const [file, wanted] = process.argv.slice(2);
if (!file) {
  console.error("usage: node readback.mjs FILE [TABLE]");
  process.exit(2);
}
const reader = new MDBReader(readFileSync(file));
const tables = reader.getTableNames();
const name = wanted ?? tables[0];
const table = reader.getTable(name);
const columns = table.getColumns().map((c) => ({ name: c.name, type: c.type, size: c.size }));
const rows = table.getData().map((row) => columns.map((c) => row[c.name] ?? null));
process.stdout.write(JSON.stringify({ tables, name, rowCount: table.rowCount, columns, rows }) + "\n");
