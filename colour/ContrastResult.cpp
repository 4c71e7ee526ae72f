// A preview's contrast verdicts as text.
#include "ContrastResult.h"

#include "ColorModel.h"
#include "Contrast.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

// Every text of the reports.
struct ResultTexts {
    const char* colorLines[3]; // code, red, green, blue
    const char* fontLine;      // face, points, bold marker
    const char* boldMarker;
    const char* defaultFace;
    const char* ratioLine;      // ratio
    const char* criteria[2];    // 1.4.3, 1.4.6
    const char* textSizes[2];   // normal, large
    const char* criterionLine;  // criterion, text size, verdict
    const char* nonTextLine;    // ratio, verdict
    const char* visionLines[2]; // mode; simulated ratio
    const char* passes;
    const char* fails;
    const char* header[14];
    const char* yes;
    const char* no;
    const char* visionCell; // mode, simulated ratio
};
constexpr ResultTexts RESULT_TEXTS = {
    {"文字色: %s (R %d, G %d, B %d)", "内側の色: %s (R %d, G %d, B %d)", "外側の色: %s (R %d, G %d, B %d)"},
    "フォント: %s %d pt%s",
    " 太字",
    "(既定のフォント)",
    "コントラスト比: %s:1",
    {"1.4.3 コントラスト (最低限) (AA)", "1.4.6 コントラスト (高度) (AAA)"},
    {"通常の文字", "大きな文字"},
    "%s %s: %s",
    "1.4.11 非テキストのコントラスト (外側と内側 %s:1): %s",
    {"色覚シミュレーション: %s", "シミュレーション時のコントラスト比: %s:1"},
    "合格",
    "不合格",
    {"タイトル", "文字色", "内側の色", "外側の色", "フォント", "ポイント", "太字", "コントラスト比",
     "AA 通常の文字", "AA 大きな文字", "AAA 通常の文字", "AAA 大きな文字", "1.4.11 非テキスト",
     "色覚シミュレーション"},
    "はい",
    "いいえ",
    "%s %s:1",
};

// The verdicts both reports give, in the table's order: AA normal, AA large, AAA normal, AAA large.
struct Verdicts {
    double ratio;
    bool text[4];
    double edgeRatio;
    bool nonText;
    double seenRatio; // in the simulation mode
};

Verdicts VerdictsOf(const PreviewResultFacts& facts)
{
    Verdicts verdicts = {};
    verdicts.ratio = ContrastRatio(facts.fontColor, facts.innerColor);
    for (int large = 0; large < 2; ++large) {
        verdicts.text[large] = MeetsContrastAA(verdicts.ratio, large != 0);
        verdicts.text[2 + large] = MeetsContrastAAA(verdicts.ratio, large != 0);
    }
    verdicts.edgeRatio = ContrastRatio(facts.outerColor, facts.innerColor);
    verdicts.nonText = MeetsNonTextContrast(verdicts.edgeRatio);
    verdicts.seenRatio = ContrastRatio(SimulateVision(facts.fontColor, facts.vision),
                                       SimulateVision(facts.innerColor, facts.vision));
    return verdicts;
}

const char* Verdict(bool meets)
{
    return meets ? RESULT_TEXTS.passes : RESULT_TEXTS.fails;
}

template <typename... Values> std::string Formatted(const char* format, Values... values)
{
    char line[512];
    std::snprintf(line, sizeof line, format, values...);
    return line;
}

std::string FaceOf(const PreviewResultFacts& facts)
{
    const std::string face(facts.face, strnlen(facts.face, sizeof facts.face));
    return face.empty() ? RESULT_TEXTS.defaultFace : face;
}

} // namespace

std::string ContrastResultText(const PreviewResultFacts& facts, bool upperCase)
{
    const Verdicts verdicts = VerdictsOf(facts);
    std::string text;
    const auto addLine = [&text](const std::string& line) { text += (text.empty() ? "" : "\r\n") + line; };
    const COLORREF colors[3] = {facts.fontColor, facts.innerColor, facts.outerColor};
    for (int i = 0; i < 3; ++i)
        addLine(Formatted(RESULT_TEXTS.colorLines[i], FormatColorCode(colors[i], upperCase).text,
                          RedOf(colors[i]), GreenOf(colors[i]), BlueOf(colors[i])));
    addLine(Formatted(RESULT_TEXTS.fontLine, FaceOf(facts).c_str(), facts.points,
                      facts.bold ? RESULT_TEXTS.boldMarker : ""));
    addLine(Formatted(RESULT_TEXTS.ratioLine, FormatRatio(verdicts.ratio).text));
    for (int level = 0; level < 2; ++level)
        for (int large = 0; large < 2; ++large)
            addLine(Formatted(RESULT_TEXTS.criterionLine, RESULT_TEXTS.criteria[level],
                              RESULT_TEXTS.textSizes[large], Verdict(verdicts.text[2 * level + large])));
    addLine(
        Formatted(RESULT_TEXTS.nonTextLine, FormatRatio(verdicts.edgeRatio).text, Verdict(verdicts.nonText)));
    if (VisionModeFrom(facts.vision) != VISION_NORMAL) {
        addLine(Formatted(RESULT_TEXTS.visionLines[0], VisionModeName(facts.vision)));
        addLine(Formatted(RESULT_TEXTS.visionLines[1], FormatRatio(verdicts.seenRatio).text));
    }
    return text + "\r\n";
}

std::string QuotedField(std::string_view field, char separator)
{
    if (field.find_first_of(std::string{separator} + "\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string quoted = "\"";
    for (char c : field)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string ContrastResultTable(const std::vector<PreviewResultFacts>& previews, bool upperCase,
                                char separator)
{
    std::string table;
    const auto addRow = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i)
            table += (i ? std::string(1, separator) : std::string()) + QuotedField(fields[i], separator);
        table += "\r\n";
    };
    addRow(std::vector<std::string>(std::begin(RESULT_TEXTS.header), std::end(RESULT_TEXTS.header)));
    for (const PreviewResultFacts& facts : previews) {
        const Verdicts verdicts = VerdictsOf(facts);
        std::vector<std::string> row = {
            std::string(facts.title, strnlen(facts.title, sizeof facts.title)),
            FormatColorCode(facts.fontColor, upperCase).text,
            FormatColorCode(facts.innerColor, upperCase).text,
            FormatColorCode(facts.outerColor, upperCase).text,
            FaceOf(facts),
            std::to_string(facts.points),
            facts.bold ? RESULT_TEXTS.yes : RESULT_TEXTS.no,
            Formatted("%s:1", FormatRatio(verdicts.ratio).text),
        };
        for (bool meets : verdicts.text)
            row.push_back(Verdict(meets));
        row.push_back(Verdict(verdicts.nonText));
        row.push_back(VisionModeFrom(facts.vision) == VISION_NORMAL
                          ? std::string()
                          : Formatted(RESULT_TEXTS.visionCell, VisionModeName(facts.vision),
                                      FormatRatio(verdicts.seenRatio).text));
        addRow(row);
    }
    return table;
}
