# archipelago: a small made-up presence/absence matrix of 10 islands
# (rows) by 12 species (columns), for the examples.
archipelago <- matrix(c(
  1, 1, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0,
  1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 0,
  0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1,
  1, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0,
  1, 1, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0,
  1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  1, 1, 1, 1, 0, 1, 0, 0, 1, 0, 0, 0,
  1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  nrow = 10, byrow = TRUE,
  dimnames = list(
    c("Ilha Grande", "Cotia", "Moela", "Queimada", "Alcatrazes", "Vitoria", "Buzios", "Anchieta",
      "Montao", "Porcos"),
    c("Anolis verdis", "Bufo lentus", "Culex marinus", "Dendro rufa", "Eleutho parvus",
      "Gekko solaris", "Hyla minuta", "Ischnura alba", "Jassa falcata", "Kentropyx", "Liolaemus",
      "Mabuya frenata")))
