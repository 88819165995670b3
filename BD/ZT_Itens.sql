-- Zantor groups: one row per group. Ids only grow and are never reused.
-- qtd and dataUpd are kept exactly as written ("0700" stays "0700");
-- ordem is a number so that the custom order sorts 2 before 10.
-- texto3 holds the items' arguments, or Null when none has any.
CREATE TABLE Tabela1 (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    titulo1 TEXT,
    texto1 TEXT,
    texto2 TEXT,
    qtd TEXT,
    dataUpd TEXT,
    categoria INTEGER,
    ordem INTEGER,
    texto3 TEXT
);
