#include "bench/proposals_generator.h"

#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "platform/codepage.h"
#include "platform/file_system.h"

namespace velmora::bench {
namespace {

struct Column {
    const char* name;
    const char* fieldtype;
    const char* extra;  // further FIELD attributes, written as they stand
};

constexpr std::array<Column, 21> kColumns{{
    {"id_item", "i4", ""},
    {"unges", "string", " WIDTH=\"2\""},
    {"sigla", "string", " WIDTH=\"2\""},
    {"convit", "i4", ""},
    {"anoc", "string", " WIDTH=\"4\""},
    {"numitem", "i4", ""},
    {"descr_lote", "string", " WIDTH=\"60\""},
    {"material", "string", " WIDTH=\"14\""},
    {"descr_item", "string", " WIDTH=\"120\""},
    {"compl_descr", "bin.hex", " SUBTYPE=\"Text\""},
    {"valor", "fixed", " DECIMALS=\"4\" WIDTH=\"15\""},
    {"marca", "string", " WIDTH=\"30\""},
    {"tipoprega", "string", " WIDTH=\"1\""},
    {"razao_social", "string", " WIDTH=\"80\""},
    {"identif", "string", " WIDTH=\"20\""},
    {"tipoempresa", "string", " WIDTH=\"1\""},
    {"nuitem", "i4", ""},
    {"qtde", "fixed", " DECIMALS=\"3\" WIDTH=\"15\""},
    {"preco_ini", "fixed", " DECIMALS=\"4\" WIDTH=\"15\""},
    {"upsigl", "string", " WIDTH=\"2\""},
    {"updesc", "string", " WIDTH=\"30\""},
}};

struct Article {
    const char* description;  // UTF-8; converted to the code page once
    const char* unit;
    const char* unitName;
};

constexpr std::array<Article, 12> kArticles{{
    {"CANETA ESFEROGRÁFICA AZUL", "UN", "UNIDADE"},
    {"PAPEL SULFITE A4 75 G/M²", "RM", "RESMA"},
    {"LÁPIS PRETO Nº 2", "CX", "CAIXA"},
    {"GRAMPEADOR DE MESA 26/6", "UN", "UNIDADE"},
    {"FITA ADESIVA TRANSPARENTE 45 MM X 45 M", "RL", "ROLO"},
    {"CAFÉ TORRADO E MOÍDO 500 G", "PC", "PACOTE"},
    {"ÁGUA MINERAL SEM GÁS 20 L", "GL", "GALÃO"},
    {"DETERGENTE LÍQUIDO NEUTRO 500 ML", "FR", "FRASCO"},
    {"PAPEL HIGIÊNICO FOLHA DUPLA", "FD", "FARDO"},
    {"TONER PARA IMPRESSORA LASER", "UN", "UNIDADE"},
    {"CADEIRA GIRATÓRIA COM BRAÇOS", "UN", "UNIDADE"},
    {"ARMÁRIO DE AÇO 2 PORTAS", "UN", "UNIDADE"},
}};

constexpr std::array<const char*, 5> kLotThemes{"MATERIAL DE EXPEDIENTE", "GÊNEROS ALIMENTÍCIOS",
                                                "MATERIAL DE LIMPEZA E HIGIENE",
                                                "SUPRIMENTOS DE INFORMÁTICA", "MOBILIÁRIO"};

// Sentences the technical description memos (compl_descr) are made of.
constexpr std::array<const char*, 12> kSentences{
    "Produto novo, de primeira qualidade, em embalagem original lacrada.",
    "Garantia mínima de 12 meses contra defeitos de fabricação.",
    "Conforme normas técnicas da ABNT e do INMETRO vigentes.",
    "Entrega em até 15 dias corridos após o recebimento da nota de empenho.",
    "Validade mínima de 6 meses a partir da data de entrega.",
    "Estrutura metálica com pintura eletrostática a pó na cor cinza.",
    "Composição: matéria-prima atóxica, livre de metais pesados.",
    "Dimensões aproximadas de 40 x 20 x 10 mm, tolerância de 5%.",
    "Rendimento mínimo de 3.000 páginas a 5% de cobertura.",
    "Embalagem com dados de identificação, procedência e lote.",
    "Registro no Ministério da Saúde quando exigido pela legislação.",
    "Amostra a ser apresentada em até 3 dias úteis, se solicitada.",
};

// A fixed sequence of pseudo-random numbers (64-bit LCG), so every run makes the same bytes.
class Sequence {
public:
    uint32_t Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(state_ >> 33);
    }
    uint32_t Below(uint32_t bound) { return Next() % bound; }

private:
    uint64_t state_ = 20260612;
};

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\r':
                out += "&#013;";
                break;
            case '\n':
                out += "&#010;";
                break;
            case '\t':
                out += "&#009;";
                break;
            case '\\':
                out += "&#092;";
                break;
            default:
                out += c;
        }
    }
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendEscaped(out, value);
    out += '"';
}

template <size_t N>
std::array<std::string, N> InCodePage(const std::array<const char*, N>& texts) {
    std::array<std::string, N> converted;
    for (size_t i = 0; i < N; ++i) converted[i] = platform::FromUtf8(texts[i]);
    return converted;
}

// Sentences joined by line breaks until `length` characters, the last one cut there.
std::string Memo(const std::array<std::string, kSentences.size()>& sentences, Sequence& random,
                 size_t length) {
    std::string memo;
    while (memo.size() < length) {
        if (!memo.empty()) memo += "\r\n";
        memo += sentences[random.Below(sentences.size())];
    }
    memo.resize(length);
    return memo;
}

std::string Header() {
    std::string out =
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET "
        "Version=\"2.0\"><METADATA><FIELDS>";
    for (const Column& column : kColumns) {
        out += "<FIELD";
        AppendAttribute(out, "attrname", column.name);
        AppendAttribute(out, "fieldtype", column.fieldtype);
        out += column.extra;
        out += "/>";
    }
    return out + "</FIELDS><PARAMS/></METADATA><ROWDATA>";
}

}  // namespace

std::string ProposalsXml(int items) {
    static const auto sentences = InCodePage(kSentences);
    static const auto themes = InCodePage(kLotThemes);
    std::array<std::string, kArticles.size()> descriptions;
    for (size_t i = 0; i < kArticles.size(); ++i)
        descriptions[i] = platform::FromUtf8(kArticles[i].description);

    Sequence random;
    std::string out = Header();
    out.reserve(static_cast<size_t>(items) * 900 + out.size());
    for (int number = 1; number <= items; ++number) {
        const int lot = (number - 1) / kItemsPerLot + 1;
        const size_t article = random.Below(kArticles.size());
        const std::string lotNumber = std::to_string(lot);
        out += "<ROW";
        AppendAttribute(out, "id_item", lotNumber);
        AppendAttribute(out, "unges", "01");
        AppendAttribute(out, "sigla", "PE");
        AppendAttribute(out, "convit", "87");
        AppendAttribute(out, "anoc", "2026");
        AppendAttribute(out, "numitem", std::to_string(number));
        AppendAttribute(out, "descr_lote",
                        "LOTE " + lotNumber + " - " + themes[lot % themes.size()]);
        AppendAttribute(out, "material", std::to_string(300000000 + number * 113));
        AppendAttribute(out, "descr_item", descriptions[article]);
        AppendAttribute(out, "compl_descr", Memo(sentences, random, 100 + random.Below(501)));
        AppendAttribute(out, "tipoprega", "L");
        AppendAttribute(out, "nuitem", std::to_string(number));
        AppendAttribute(out, "qtde", std::to_string(random.Below(480) + 10) + ".000");
        AppendAttribute(out, "upsigl", kArticles[article].unit);
        AppendAttribute(out, "updesc", kArticles[article].unitName);
        out += "/>";
    }
    return out + "</ROWDATA></DATAPACKET>";
}

ProposalsFile::ProposalsFile(int items) : bytes_(ProposalsXml(items)) {
    const std::string base = platform::TempDirectory() + "velmora-bench-XXXXXX";
    std::string folder = base;
    if (!mkdtemp(folder.data())) throw std::runtime_error("cannot create " + base);
    folder_ = folder;
    path_ = folder_ + "/proposta.xml";
    Restore();
}

ProposalsFile::~ProposalsFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void ProposalsFile::Restore() const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path_);
}

}  // namespace velmora::bench
