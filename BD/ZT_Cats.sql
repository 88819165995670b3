-- Zantor categories, shipped with the program and only read by it. The ids run
-- 1, 2, 3, ... without gaps: category k shows the k-th image. Images lie in IMG.
CREATE TABLE Tabela1 (
    id INTEGER PRIMARY KEY,
    titulo1 TEXT,
    imagem1 TEXT,
    imagem2 TEXT
);

INSERT INTO Tabela1 (id, titulo1, imagem1, imagem2) VALUES
    (1, 'Trabalho', 'cat-trabalho-24.svg', 'cat-trabalho-42.svg'),
    (2, 'Estudos', 'cat-estudos-24.svg', 'cat-estudos-42.svg'),
    (3, 'Música', 'cat-musica-24.svg', 'cat-musica-42.svg'),
    (4, 'Vídeo', 'cat-video-24.svg', 'cat-video-42.svg'),
    (5, 'Internet', 'cat-internet-24.svg', 'cat-internet-42.svg'),
    (6, 'Documentos', 'cat-documentos-24.svg', 'cat-documentos-42.svg'),
    (7, 'Programas', 'cat-programas-24.svg', 'cat-programas-42.svg'),
    (8, 'Imagens', 'cat-imagens-24.svg', 'cat-imagens-42.svg'),
    (9, 'Jogos', 'cat-jogos-24.svg', 'cat-jogos-42.svg'),
    (10, 'Diversos', 'cat-diversos-24.svg', 'cat-diversos-42.svg');
