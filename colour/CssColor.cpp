// Colours written as CSS text.
#include "CssColor.h"

#include "Catalogue.h"
#include "ColorModel.h"

#include <cmath>

namespace {

// The most tokens an argument list of a colour function can have: "a, b, c, d".
constexpr int MAX_TOKENS = 7;
// Digits of an exponent beyond this cannot change a clamped value.
constexpr int EXPONENT_LIMIT = 400;
constexpr double PI = 3.14159265358979323846;

enum TokenKind { TOKEN_NUMBER, TOKEN_PERCENT, TOKEN_DIMENSION, TOKEN_NONE, TOKEN_COMMA, TOKEN_SLASH };

struct Token {
    TokenKind kind;
    double value;
    std::string_view unit; // of a dimension
};

struct TokenList {
    Token tokens[MAX_TOKENS];
    int count;
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names and units match in any case on either side.
bool SameName(std::string_view text, std::string_view name)
{
    if (text.size() != name.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != Lower(name[i])) return false;
    return true;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// A CSS number: sign, digits with an optional fraction (".5" too), an optional exponent.
bool ReadNumber(std::string_view text, size_t& at, double& value)
{
    size_t i = at;
    double sign = 1;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '-' ? -1 : 1;
    double mantissa = 0;
    int digits = 0, fractionDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits)
        mantissa = mantissa * 10 + (text[i] - '0');
    if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits, ++fractionDigits)
            mantissa = mantissa * 10 + (text[i] - '0');
    }
    if (digits == 0) return false;
    int exponent = 0;
    // An "e" is an exponent only with digits after it; otherwise it starts a unit.
    if (i < text.size() && Lower(text[i]) == 'e') {
        size_t j = i + 1;
        int exponentSign = 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponentSign = text[j++] == '-' ? -1 : 1;
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j)
                if (exponent < EXPONENT_LIMIT) exponent = exponent * 10 + (text[j] - '0');
            exponent *= exponentSign;
            i = j;
        }
    }
    value = sign * mantissa * std::pow(10.0, exponent - fractionDigits);
    at = i;
    return true;
}

bool Tokenize(std::string_view text, TokenList& list)
{
    list.count = 0;
    size_t at = 0;
    while (true) {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        if (at >= text.size()) return true;
        if (list.count == MAX_TOKENS) return false;
        Token& token = list.tokens[list.count++];
        token = {};
        const char c = text[at];
        if (c == ',' || c == '/') {
            token.kind = c == ',' ? TOKEN_COMMA : TOKEN_SLASH;
            ++at;
        } else if (IsLetter(c)) {
            const size_t start = at;
            while (at < text.size() && IsLetter(text[at]))
                ++at;
            if (!SameName(text.substr(start, at - start), "none")) return false;
            token.kind = TOKEN_NONE;
        } else {
            if (!ReadNumber(text, at, token.value)) return false;
            token.kind = TOKEN_NUMBER;
            if (at < text.size() && text[at] == '%') {
                token.kind = TOKEN_PERCENT;
                ++at;
            } else if (at < text.size() && IsLetter(text[at])) {
                const size_t start = at;
                while (at < text.size() && IsLetter(text[at]))
                    ++at;
                token.kind = TOKEN_DIMENSION;
                token.unit = text.substr(start, at - start);
            }
        }
        // Two values need space between them ("10 20", not "10-20" or "10%20").
        if (at < text.size() && !IsSpace(text[at]) && text[at] != ',' && text[at] != '/' &&
            token.kind != TOKEN_COMMA && token.kind != TOKEN_SLASH)
            return false;
    }
}

double Clamped(double value, double low, double high)
{
    if (!(value >= low)) return low; // NaN too
    return value > high ? high : value;
}

// The three components and the alpha of a colour function, in either syntax.
struct Arguments {
    Token components[3];
    bool hasAlpha;
    Token alpha;
    bool legacy; // the comma syntax, which knows no "none"
};

bool SplitArguments(const TokenList& list, Arguments& arguments)
{
    arguments = {};
    const Token* t = list.tokens;
    const auto isValue = [](const Token& token) {
        return token.kind != TOKEN_COMMA && token.kind != TOKEN_SLASH;
    };
    if (list.count >= 5 && t[1].kind == TOKEN_COMMA) {
        arguments.legacy = true;
        if (list.count != 5 && list.count != 7) return false;
        for (int i = 1; i < list.count; i += 2)
            if (t[i].kind != TOKEN_COMMA) return false;
        for (int i = 0; i < list.count; i += 2)
            if (t[i].kind == TOKEN_NONE || !isValue(t[i])) return false;
        arguments.hasAlpha = list.count == 7;
        arguments.components[0] = t[0];
        arguments.components[1] = t[2];
        arguments.components[2] = t[4];
        if (arguments.hasAlpha) arguments.alpha = t[6];
        return true;
    }
    if (list.count != 3 && list.count != 5) return false;
    for (int i = 0; i < 3; ++i) {
        if (!isValue(t[i])) return false;
        arguments.components[i] = t[i];
    }
    if (list.count == 5) {
        if (t[3].kind != TOKEN_SLASH || !isValue(t[4])) return false;
        arguments.hasAlpha = true;
        arguments.alpha = t[4];
    }
    return true;
}

bool AlphaOf(const Arguments& arguments, double& alpha)
{
    alpha = 1;
    if (!arguments.hasAlpha) return true;
    const Token& token = arguments.alpha;
    switch (token.kind) {
    case TOKEN_NUMBER: alpha = token.value; break;
    case TOKEN_PERCENT: alpha = token.value / 100; break;
    case TOKEN_NONE: alpha = 0; break;
    default: return false;
    }
    alpha = Clamped(alpha, 0, 1);
    return true;
}

// Degrees from a number or an angle.
bool HueOf(const Token& token, double& degrees)
{
    degrees = 0;
    if (token.kind == TOKEN_NONE) return true;
    if (token.kind == TOKEN_NUMBER) {
        degrees = token.value;
    } else if (token.kind == TOKEN_DIMENSION) {
        struct Unit {
            const char* name;
            double degrees;
        };
        constexpr Unit UNITS[] = {{"deg", 1}, {"rad", 180 / PI}, {"grad", 0.9}, {"turn", 360}};
        bool known = false;
        for (const Unit& unit : UNITS) {
            if (!SameName(token.unit, unit.name)) continue;
            degrees = token.value * unit.degrees;
            known = true;
        }
        if (!known) return false;
    } else {
        return false;
    }
    if (!std::isfinite(degrees)) degrees = 0;
    degrees = std::fmod(degrees, 360);
    if (degrees < 0) degrees += 360;
    return true;
}

// A saturation, lightness, whiteness or blackness as a share 0-1: a percentage, or in the space
// syntax a number of the same scale.
bool ShareOf(const Token& token, bool legacy, double& share)
{
    share = 0;
    if (token.kind == TOKEN_PERCENT || (!legacy && token.kind == TOKEN_NUMBER))
        share = Clamped(token.value, 0, 100) / 100;
    else if (token.kind != TOKEN_NONE)
        return false;
    return true;
}

int ChannelOfShare(double share)
{
    return static_cast<int>(std::lround(Clamped(share, 0, 1) * CHANNEL_MAX));
}

struct Shares {
    double red, green, blue;
};

Shares HslShares(double hue, double saturation, double lightness)
{
    const auto f = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12);
        const double a = saturation * (lightness < 1 - lightness ? lightness : 1 - lightness);
        double m = k - 3;
        if (9 - k < m) m = 9 - k;
        return lightness - a * Clamped(m, -1, 1);
    };
    return {f(0), f(8), f(4)};
}

CssColorResult Result(double alpha, const Shares& shares)
{
    if (alpha < 1) return {CSSCOLOR_TRANSLUCENT, 0};
    return {CSSCOLOR_OK, ComposeColor(ChannelOfShare(shares.red), ChannelOfShare(shares.green),
                                      ChannelOfShare(shares.blue))};
}

constexpr CssColorResult UNKNOWN = {CSSCOLOR_UNKNOWN, 0};

CssColorResult RgbColor(const Arguments& arguments)
{
    double channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        const Token& token = arguments.components[i];
        // The comma syntax takes three numbers or three percentages, never a mix.
        if (arguments.legacy && token.kind != arguments.components[0].kind) return UNKNOWN;
        if (token.kind == TOKEN_NUMBER)
            channels[i] = token.value / CHANNEL_MAX;
        else if (token.kind == TOKEN_PERCENT)
            channels[i] = token.value / 100;
        else if (token.kind != TOKEN_NONE)
            return UNKNOWN;
    }
    double alpha = 1;
    if (!AlphaOf(arguments, alpha)) return UNKNOWN;
    return Result(alpha, {channels[0], channels[1], channels[2]});
}

CssColorResult HslColor(const Arguments& arguments)
{
    double hue = 0, saturation = 0, lightness = 0, alpha = 1;
    if (!HueOf(arguments.components[0], hue) ||
        !ShareOf(arguments.components[1], arguments.legacy, saturation) ||
        !ShareOf(arguments.components[2], arguments.legacy, lightness) || !AlphaOf(arguments, alpha))
        return UNKNOWN;
    return Result(alpha, HslShares(hue, saturation, lightness));
}

CssColorResult HwbColor(const Arguments& arguments)
{
    double hue = 0, white = 0, black = 0, alpha = 1;
    if (arguments.legacy || !HueOf(arguments.components[0], hue) ||
        !ShareOf(arguments.components[1], false, white) || !ShareOf(arguments.components[2], false, black) ||
        !AlphaOf(arguments, alpha))
        return UNKNOWN;
    if (white + black >= 1) {
        const double grey = white / (white + black);
        return Result(alpha, {grey, grey, grey});
    }
    Shares shares = HslShares(hue, 1, 0.5);
    for (double* share : {&shares.red, &shares.green, &shares.blue})
        *share = *share * (1 - white - black) + white;
    return Result(alpha, shares);
}

int HexDigit(char c)
{
    if (IsDigit(c)) return c - '0';
    const char lower = Lower(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

CssColorResult HexColor(std::string_view digits)
{
    const size_t length = digits.size();
    if (length != 3 && length != 4 && length != 6 && length != 8) return UNKNOWN;
    int values[8] = {};
    for (size_t i = 0; i < length; ++i)
        if ((values[i] = HexDigit(digits[i])) < 0) return UNKNOWN;
    int channels[4] = {0, 0, 0, CHANNEL_MAX};
    const bool shortForm = length <= 4;
    for (size_t i = 0; i < (shortForm ? length : length / 2); ++i)
        channels[i] = shortForm ? values[i] * 17 : values[2 * i] * 16 + values[2 * i + 1];
    if (channels[3] != CHANNEL_MAX) return {CSSCOLOR_TRANSLUCENT, 0};
    return {CSSCOLOR_OK, ComposeColor(channels[0], channels[1], channels[2])};
}

CssColorResult FunctionColor(std::string_view text)
{
    const size_t open = text.find('(');
    if (open == std::string_view::npos || text.back() != ')') return UNKNOWN;
    const std::string_view name = text.substr(0, open);
    TokenList list = {};
    if (!Tokenize(text.substr(open + 1, text.size() - open - 2), list)) return UNKNOWN;
    Arguments arguments = {};
    if (!SplitArguments(list, arguments)) return UNKNOWN;
    if (SameName(name, "rgb") || SameName(name, "rgba")) return RgbColor(arguments);
    if (SameName(name, "hsl") || SameName(name, "hsla")) return HslColor(arguments);
    if (SameName(name, "hwb")) return HwbColor(arguments);
    return UNKNOWN;
}

// The named colours of CSS are the catalogue's web colours and these: the "grey" spellings beside
// the catalogue's "gray" ones (and "lightgray" beside its "LightGrey"), and rebeccapurple.
struct CssOnlyName {
    const char* name;
    COLORREF color;
};
constexpr CssOnlyName CSS_ONLY_NAMES[] = {
    {"darkgrey", ComposeColor(169, 169, 169)},     {"darkslategrey", ComposeColor(47, 79, 79)},
    {"dimgrey", ComposeColor(105, 105, 105)},      {"grey", ComposeColor(128, 128, 128)},
    {"lightgray", ComposeColor(211, 211, 211)},    {"lightslategrey", ComposeColor(119, 136, 153)},
    {"rebeccapurple", ComposeColor(102, 51, 153)}, {"slategrey", ComposeColor(112, 128, 144)},
};

} // namespace

CssColorResult ParseCssColor(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty()) return UNKNOWN;
    if (text.front() == '#') return HexColor(text.substr(1));
    if (text.find('(') != std::string_view::npos) return FunctionColor(text);
    if (SameName(text, "transparent")) return {CSSCOLOR_TRANSLUCENT, 0};
    for (const NamedColor& named : NamedColors)
        if (SameName(text, named.name)) return {CSSCOLOR_OK, named.color};
    for (const CssOnlyName& named : CSS_ONLY_NAMES)
        if (SameName(text, named.name)) return {CSSCOLOR_OK, named.color};
    return UNKNOWN;
}
