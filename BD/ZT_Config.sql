-- Zantor settings: exactly one row, id 1.
-- Positions are twips (15 per pixel); the flags and numbers are kept as typed text.
CREATE TABLE Tabela1 (
    id INTEGER PRIMARY KEY,
    [left] INTEGER,
    [top] INTEGER,
    miniLeft INTEGER,
    miniTop INTEGER,
    numMiniList TEXT,
    optLargura TEXT,
    checkMini TEXT,
    viewData TEXT,
    ordemPosts TEXT,
    iniMinimized TEXT,
    checkMinimize TEXT,
    tempo TEXT,
    atalhos TEXT,
    viewAll TEXT
);

-- The main window (440 x 457 px) centred on a 1366 x 768 screen; the compact list near
-- the top right corner; one second between resources; alphabetical order.
INSERT INTO Tabela1 (id, [left], [top], miniLeft, miniTop, numMiniList, optLargura, checkMini, viewData,
                     ordemPosts, iniMinimized, checkMinimize, tempo, atalhos, viewAll)
VALUES (1, 6945, 2325, 17400, 1500, '5', '3', '1', '0', '0', '0', '0', '1000', '', '0');
