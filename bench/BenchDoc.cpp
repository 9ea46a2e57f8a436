// Locating and generating the benchmark documents; memory figures of the process.

#include "bench/BenchDoc.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "engine/Cp1252.h"

#if defined(__GLIBC__)
#include <malloc.h>
#include <unistd.h>
#endif

#ifndef QUILMO_SOURCE_DIR
#define QUILMO_SOURCE_DIR "."
#endif

namespace quilmo::bench {

namespace {

// French-looking words, written in UTF-8 here and turned into Windows-1252 bytes once.
// Every length from 1 to 12 occurs, so a line can always be filled to its exact length.
constexpr const char* kWords[] = {
    "a",
    "à",
    "y",
    "ô",
    "le",
    "la",
    "de",
    "un",
    "et",
    "en",
    "où",
    "du",
    "il",
    "on",
    "je",
    "tu",
    "ne",
    "se",
    "ce",
    "sa",
    "sû",
    "les",
    "des",
    "été",
    "une",
    "est",
    "pas",
    "qui",
    "que",
    "par",
    "sur",
    "mot",
    "eau",
    "vie",
    "âme",
    "très",
    "déjà",
    "père",
    "mère",
    "tête",
    "fête",
    "côté",
    "être",
    "avec",
    "pour",
    "dans",
    "mais",
    "leur",
    "elle",
    "nous",
    "vous",
    "rêve",
    "lève",
    "forêt",
    "fenêtre",
    "école",
    "élève",
    "après",
    "voilà",
    "garçon",
    "français",
    "leçon",
    "reçu",
    "façade",
    "maître",
    "naître",
    "hôtel",
    "hôpital",
    "côte",
    "château",
    "gâteau",
    "théâtre",
    "fidèle",
    "modèle",
    "problème",
    "système",
    "première",
    "dernière",
    "lumière",
    "rivière",
    "prière",
    "frère",
    "sœur",
    "cœur",
    "œuvre",
    "œil",
    "bœuf",
    "noël",
    "naïf",
    "maïs",
    "haïr",
    "aïeul",
    "où",
    "là",
    "çà",
    "déçu",
    "aperçu",
    "ça",
    "ému",
    "épée",
    "éclair",
    "étoile",
    "été",
    "écrire",
    "éditer",
    "fichier",
    "ligne",
    "texte",
    "paragraphe",
    "caractère",
    "mémoire",
    "écran",
    "clavier",
    "souris",
    "fenêtre",
    "menu",
    "bouton",
    "réglage",
    "données",
    "tâche",
    "pâte",
    "bâtiment",
    "crème",
    "chêne",
    "pêche",
    "bête",
    "même",
    "extrême",
    "sérieux",
    "général",
    "préféré",
    "réalité",
    "société",
    "qualité",
    "quantité",
    "propriété",
    "électricité",
    "université",
    "aujourd'hui",
    "l'été",
    "l'hôtel",
    "l'école",
    "d'abord",
    "qu'il",
    "c'est",
    "n'est",
    "s'il",
    "jusqu'à",
    "peut-être",
    "c'est-à-dire",
    "arc-en-ciel",
    "grand-mère",
    "chou-fleur",
    "vingt-trois",
    "maison",
    "jardin",
    "village",
    "campagne",
    "montagne",
    "voiture",
    "chemin",
    "soleil",
    "nuage",
    "pluie",
    "neige",
    "hiver",
    "printemps",
    "automne",
    "matin",
    "soir",
    "nuit",
    "journée",
    "semaine",
    "année",
    "siècle",
    "histoire",
    "récit",
    "chapitre",
    "page",
    "livre",
    "lettre",
    "phrase",
    "parole",
    "silence",
    "musique",
    "chanson",
    "poème",
    "poète",
    "peintre",
    "tableau",
    "couleur",
    "rouge",
    "vert",
    "bleu",
    "blanc",
    "noir",
    "doré",
    "argenté",
    "ancien",
    "nouveau",
    "petit",
    "grand",
    "beau",
    "jeune",
    "vieux",
    "heureux",
    "malheureux",
    "tranquille",
    "rapidement",
    "lentement",
    "doucement",
    "évidemment",
    "précisément",
    "immédiatement",
    "néanmoins",
    "cependant",
    "toujours",
    "jamais",
    "souvent",
    "parfois",
    "ensemble",
    "ailleurs",
    "dehors",
    "dedans",
    "au-dessus",
    "là-bas",
    "ici",
    "quatre",
    "cinq",
    "douze",
    "mille",
    "premier",
    "deuxième",
    "troisième",
    "Paris",
    "Lyon",
    "Orléans",
    "Besançon",
    "Nîmes",
    "Angoulême",
    "Saint-Étienne",
    "Québec",
    "Genève",
    "José",
    "Hélène",
    "François",
    "Noémie",
    "Jérôme",
    "Zoé",
    "Gaëlle",
    "Loïc",
    "Benoît",
    "Cécile",
    "xylophone",
    "kayak",
    "whisky",
    "zèbre",
    "ambiguë",
    "aiguë",
    "canoë",
    "Noël",
    "€uro",
    "abcdefghijkl",
};

// UTF-8 (the literals above) to Windows-1252 bytes.
std::string ToCp1252(const char* utf8) {
  std::string out;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  while (*s) {
    char32_t cp;
    int extra;
    if (*s < 0x80) {
      cp = *s;
      extra = 0;
    } else if ((*s & 0xE0) == 0xC0) {
      cp = *s & 0x1F;
      extra = 1;
    } else if ((*s & 0xF0) == 0xE0) {
      cp = *s & 0x0F;
      extra = 2;
    } else {
      cp = *s & 0x07;
      extra = 3;
    }
    ++s;
    for (int i = 0; i < extra && *s; ++i, ++s) cp = (cp << 6) | (*s & 0x3F);
    unsigned char byte = '?';
    UnicodeToCp1252(cp, byte);
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

// splitmix64: small, fast and the same on every platform (unlike the std distributions).
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [lo, hi].
  int Range(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  bool Chance(int percent) { return static_cast<int>(Next() % 100) < percent; }

 private:
  std::uint64_t state_;
};

class TLineMaker {
 public:
  explicit TLineMaker(std::uint64_t seed) : rnd_(seed) {
    for (const char* w : kWords) {
      std::string word = ToCp1252(w);
      if (word.size() >= byLength_.size()) byLength_.resize(word.size() + 1);
      byLength_[word.size()].push_back(words_.size());
      words_.push_back(std::move(word));
    }
  }

  // Appends one line of exactly `length` characters (no line end) to `out`. The line never
  // starts or ends with a blank except for a leading TAB.
  void MakeLine(int length, std::string& out) {
    const std::size_t start = out.size();
    auto used = [&] { return static_cast<int>(out.size() - start); };
    bool capital = true;
    bool tabUsed = false;
    if (rnd_.Chance(2)) {  // an indented line
      out.push_back('\t');
      tabUsed = true;
    }
    bool innerTab = rnd_.Chance(3);
    int words = 0;
    while (used() < length) {
      const int gap = length - used();
      const bool first = used() == 0 || (used() == 1 && tabUsed);
      if (!first && gap == 1) {
        out.push_back(kEnds[rnd_.Range(0, 2)]);
        break;
      }
      std::string_view sep = first ? "" : " ";
      if (innerTab && !first && ++words > 2) {  // a TAB inside the line, as in a small table
        sep = "\t";
        innerTab = false;
      }
      const std::string& word = words_[rnd_.Next() % words_.size()];
      const int cost = static_cast<int>(sep.size() + word.size());
      if (cost + 2 <= gap || cost == gap) {
        out += sep;
        AppendWord(word, capital, out);
        capital = false;
        // Punctuation behind the word, when it leaves room for at least one more word.
        if (length - used() > 4) {
          const int p = rnd_.Range(0, 99);
          if (p < 6) {
            out.push_back(',');
          } else if (p < 10) {
            out.push_back('.');
            capital = true;
          } else if (p < 11) {
            out += ";";
          } else if (p < 12) {
            out += " :";
          } else if (p < 13) {
            out += " ?";
            capital = true;
          } else if (p < 14) {
            out += " !";
            capital = true;
          }
        }
        continue;
      }
      // The word does not fit: finish with a word of exactly the remaining length if there is one.
      const std::size_t want = static_cast<std::size_t>(gap) - sep.size();
      if (want > 0 && want < byLength_.size() && !byLength_[want].empty()) {
        const auto& candidates = byLength_[want];
        out += sep;
        AppendWord(words_[candidates[rnd_.Next() % candidates.size()]], capital, out);
        break;
      }
      // Otherwise quote a word, « mot » (Windows-1252 guillemets), when that fits exactly.
      if (want >= 5 && want - 4 < byLength_.size() && !byLength_[want - 4].empty()) {
        const auto& candidates = byLength_[want - 4];
        out += sep;
        out += "\xAB ";
        out += words_[candidates[rnd_.Next() % candidates.size()]];
        out += " \xBB";
        break;
      }
      // Else try another word (shorter ones always exist).
    }
  }

  TRandom& Random() { return rnd_; }

 private:
  static constexpr char kEnds[] = {'.', '!', '?'};

  static void AppendWord(const std::string& word, bool capital, std::string& out) {
    const std::size_t at = out.size();
    out += word;
    if (capital) out[at] = static_cast<char>(Cp1252Upper(static_cast<unsigned char>(out[at])));
  }

  TRandom rnd_;
  std::vector<std::string> words_;
  std::vector<std::vector<std::size_t>> byLength_;
};

}  // namespace

const std::vector<TDocInfo>& DocInfos() {
  static const std::vector<TDocInfo> docs = {
      {"doc10.txt", 10ull * 1024 * 1024, 10},
      {"doc100.txt", 100ull * 1024 * 1024, 100},
  };
  return docs;
}

const TDocInfo& DocInfo(int megabytes) {
  for (const TDocInfo& doc : DocInfos())
    if (doc.Size == static_cast<std::uint64_t>(megabytes) * 1024 * 1024) return doc;
  throw std::invalid_argument("no benchmark document of " + std::to_string(megabytes) + " MB");
}

std::filesystem::path BenchDataDir() {
  if (const char* env = std::getenv("QUILMO_BENCH_DATA"); env && *env) return env;
  return std::filesystem::path(QUILMO_SOURCE_DIR) / "bench-data";
}

void GenerateDoc(const std::filesystem::path& path, std::uint64_t size, std::uint64_t seed) {
  std::filesystem::path tmp = path;
  tmp += ".tmp";
  std::FILE* f = std::fopen(tmp.string().c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + tmp.string());

  TLineMaker maker(seed);
  std::string chunk;
  chunk.reserve(1 << 20);
  std::uint64_t remaining = size;
  bool ok = true;
  auto line = [&](int length) {
    maker.MakeLine(length, chunk);
    chunk += "\r\n";
    remaining -= static_cast<std::uint64_t>(length) + 2;
  };
  auto flush = [&] {
    if (!chunk.empty() && std::fwrite(chunk.data(), 1, chunk.size(), f) != chunk.size()) ok = false;
    chunk.clear();
  };
  // Lines of 20 to 120 characters plus CR LF; the last one or two lines take the exact rest.
  while (ok && remaining >= 244) {
    line(maker.Random().Range(20, 120));
    if (chunk.size() >= (1 << 20) - 256) flush();
  }
  if (remaining > 122) {
    const int first = static_cast<int>((remaining - 4) / 2);
    line(first);
  }
  if (remaining >= 2) line(static_cast<int>(remaining - 2));
  flush();
  if (std::fclose(f) != 0) ok = false;
  std::error_code ec;
  if (ok) std::filesystem::rename(tmp, path, ec);
  if (!ok || ec) {
    std::filesystem::remove(tmp, ec);
    throw std::runtime_error("cannot write " + path.string());
  }
}

int EnsureDocs(const std::filesystem::path& dir, bool log) {
  std::filesystem::create_directories(dir);
  int written = 0;
  for (const TDocInfo& doc : DocInfos()) {
    const std::filesystem::path path = dir / doc.FileName;
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) == doc.Size && !ec) {
      if (log) std::cout << path.string() << ": present\n";
      continue;
    }
    if (log) std::cout << path.string() << ": writing " << doc.Size << " bytes\n" << std::flush;
    GenerateDoc(path, doc.Size, doc.Seed);
    ++written;
  }
  return written;
}

std::filesystem::path EnsureDoc(int megabytes) {
  const TDocInfo& doc = DocInfo(megabytes);
  const std::filesystem::path dir = BenchDataDir();
  const std::filesystem::path path = dir / doc.FileName;
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) != doc.Size || ec) {
    std::filesystem::create_directories(dir);
    GenerateDoc(path, doc.Size, doc.Seed);
  }
  return path;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  std::string bytes(std::filesystem::file_size(path), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

std::uint64_t ResidentBytes() {
#if defined(__GLIBC__)
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  unsigned long long total = 0, resident = 0;
  const int n = std::fscanf(f, "%llu %llu", &total, &resident);
  std::fclose(f);
  if (n != 2) return 0;
  return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
#else
  return 0;
#endif
}

std::uint64_t HeapBytesInUse() {
#if defined(__GLIBC__)
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#else
  return 0;
#endif
}

void TrimHeap() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace quilmo::bench
