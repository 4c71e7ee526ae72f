// Colours written as CSS text.
#include "CssColor.h"

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

bool SameName(std::string_view text, std::string_view name)
{
    if (text.size() != name.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != name[i]) return false;
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

} // namespace

CssColorResult ParseCssColor(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty()) return UNKNOWN;
    if (text.front() == '#') return HexColor(text.substr(1));
    if (text.find('(') != std::string_view::npos) return FunctionColor(text);
    if (SameName(text, "transparent")) return {CSSCOLOR_TRANSLUCENT, 0};
    for (const CssNamedColor& named : CssNamedColors)
        if (SameName(text, named.name)) return {CSSCOLOR_OK, named.color};
    return UNKNOWN;
}

namespace {

constexpr COLORREF Rgb(unsigned value) // 0xRRGGBB, as CSS writes it
{
    return ComposeColor(static_cast<int>(value >> 16), static_cast<int>(value >> 8), static_cast<int>(value));
}

} // namespace

const CssNamedColor CssNamedColors[CSS_NAMED_COLOR_COUNT] = {
    {"aliceblue", Rgb(0xF0F8FF)},
    {"antiquewhite", Rgb(0xFAEBD7)},
    {"aqua", Rgb(0x00FFFF)},
    {"aquamarine", Rgb(0x7FFFD4)},
    {"azure", Rgb(0xF0FFFF)},
    {"beige", Rgb(0xF5F5DC)},
    {"bisque", Rgb(0xFFE4C4)},
    {"black", Rgb(0x000000)},
    {"blanchedalmond", Rgb(0xFFEBCD)},
    {"blue", Rgb(0x0000FF)},
    {"blueviolet", Rgb(0x8A2BE2)},
    {"brown", Rgb(0xA52A2A)},
    {"burlywood", Rgb(0xDEB887)},
    {"cadetblue", Rgb(0x5F9EA0)},
    {"chartreuse", Rgb(0x7FFF00)},
    {"chocolate", Rgb(0xD2691E)},
    {"coral", Rgb(0xFF7F50)},
    {"cornflowerblue", Rgb(0x6495ED)},
    {"cornsilk", Rgb(0xFFF8DC)},
    {"crimson", Rgb(0xDC143C)},
    {"cyan", Rgb(0x00FFFF)},
    {"darkblue", Rgb(0x00008B)},
    {"darkcyan", Rgb(0x008B8B)},
    {"darkgoldenrod", Rgb(0xB8860B)},
    {"darkgray", Rgb(0xA9A9A9)},
    {"darkgreen", Rgb(0x006400)},
    {"darkgrey", Rgb(0xA9A9A9)},
    {"darkkhaki", Rgb(0xBDB76B)},
    {"darkmagenta", Rgb(0x8B008B)},
    {"darkolivegreen", Rgb(0x556B2F)},
    {"darkorange", Rgb(0xFF8C00)},
    {"darkorchid", Rgb(0x9932CC)},
    {"darkred", Rgb(0x8B0000)},
    {"darksalmon", Rgb(0xE9967A)},
    {"darkseagreen", Rgb(0x8FBC8F)},
    {"darkslateblue", Rgb(0x483D8B)},
    {"darkslategray", Rgb(0x2F4F4F)},
    {"darkslategrey", Rgb(0x2F4F4F)},
    {"darkturquoise", Rgb(0x00CED1)},
    {"darkviolet", Rgb(0x9400D3)},
    {"deeppink", Rgb(0xFF1493)},
    {"deepskyblue", Rgb(0x00BFFF)},
    {"dimgray", Rgb(0x696969)},
    {"dimgrey", Rgb(0x696969)},
    {"dodgerblue", Rgb(0x1E90FF)},
    {"firebrick", Rgb(0xB22222)},
    {"floralwhite", Rgb(0xFFFAF0)},
    {"forestgreen", Rgb(0x228B22)},
    {"fuchsia", Rgb(0xFF00FF)},
    {"gainsboro", Rgb(0xDCDCDC)},
    {"ghostwhite", Rgb(0xF8F8FF)},
    {"gold", Rgb(0xFFD700)},
    {"goldenrod", Rgb(0xDAA520)},
    {"gray", Rgb(0x808080)},
    {"green", Rgb(0x008000)},
    {"greenyellow", Rgb(0xADFF2F)},
    {"grey", Rgb(0x808080)},
    {"honeydew", Rgb(0xF0FFF0)},
    {"hotpink", Rgb(0xFF69B4)},
    {"indianred", Rgb(0xCD5C5C)},
    {"indigo", Rgb(0x4B0082)},
    {"ivory", Rgb(0xFFFFF0)},
    {"khaki", Rgb(0xF0E68C)},
    {"lavender", Rgb(0xE6E6FA)},
    {"lavenderblush", Rgb(0xFFF0F5)},
    {"lawngreen", Rgb(0x7CFC00)},
    {"lemonchiffon", Rgb(0xFFFACD)},
    {"lightblue", Rgb(0xADD8E6)},
    {"lightcoral", Rgb(0xF08080)},
    {"lightcyan", Rgb(0xE0FFFF)},
    {"lightgoldenrodyellow", Rgb(0xFAFAD2)},
    {"lightgray", Rgb(0xD3D3D3)},
    {"lightgreen", Rgb(0x90EE90)},
    {"lightgrey", Rgb(0xD3D3D3)},
    {"lightpink", Rgb(0xFFB6C1)},
    {"lightsalmon", Rgb(0xFFA07A)},
    {"lightseagreen", Rgb(0x20B2AA)},
    {"lightskyblue", Rgb(0x87CEFA)},
    {"lightslategray", Rgb(0x778899)},
    {"lightslategrey", Rgb(0x778899)},
    {"lightsteelblue", Rgb(0xB0C4DE)},
    {"lightyellow", Rgb(0xFFFFE0)},
    {"lime", Rgb(0x00FF00)},
    {"limegreen", Rgb(0x32CD32)},
    {"linen", Rgb(0xFAF0E6)},
    {"magenta", Rgb(0xFF00FF)},
    {"maroon", Rgb(0x800000)},
    {"mediumaquamarine", Rgb(0x66CDAA)},
    {"mediumblue", Rgb(0x0000CD)},
    {"mediumorchid", Rgb(0xBA55D3)},
    {"mediumpurple", Rgb(0x9370DB)},
    {"mediumseagreen", Rgb(0x3CB371)},
    {"mediumslateblue", Rgb(0x7B68EE)},
    {"mediumspringgreen", Rgb(0x00FA9A)},
    {"mediumturquoise", Rgb(0x48D1CC)},
    {"mediumvioletred", Rgb(0xC71585)},
    {"midnightblue", Rgb(0x191970)},
    {"mintcream", Rgb(0xF5FFFA)},
    {"mistyrose", Rgb(0xFFE4E1)},
    {"moccasin", Rgb(0xFFE4B5)},
    {"navajowhite", Rgb(0xFFDEAD)},
    {"navy", Rgb(0x000080)},
    {"oldlace", Rgb(0xFDF5E6)},
    {"olive", Rgb(0x808000)},
    {"olivedrab", Rgb(0x6B8E23)},
    {"orange", Rgb(0xFFA500)},
    {"orangered", Rgb(0xFF4500)},
    {"orchid", Rgb(0xDA70D6)},
    {"palegoldenrod", Rgb(0xEEE8AA)},
    {"palegreen", Rgb(0x98FB98)},
    {"paleturquoise", Rgb(0xAFEEEE)},
    {"palevioletred", Rgb(0xDB7093)},
    {"papayawhip", Rgb(0xFFEFD5)},
    {"peachpuff", Rgb(0xFFDAB9)},
    {"peru", Rgb(0xCD853F)},
    {"pink", Rgb(0xFFC0CB)},
    {"plum", Rgb(0xDDA0DD)},
    {"powderblue", Rgb(0xB0E0E6)},
    {"purple", Rgb(0x800080)},
    {"rebeccapurple", Rgb(0x663399)},
    {"red", Rgb(0xFF0000)},
    {"rosybrown", Rgb(0xBC8F8F)},
    {"royalblue", Rgb(0x4169E1)},
    {"saddlebrown", Rgb(0x8B4513)},
    {"salmon", Rgb(0xFA8072)},
    {"sandybrown", Rgb(0xF4A460)},
    {"seagreen", Rgb(0x2E8B57)},
    {"seashell", Rgb(0xFFF5EE)},
    {"sienna", Rgb(0xA0522D)},
    {"silver", Rgb(0xC0C0C0)},
    {"skyblue", Rgb(0x87CEEB)},
    {"slateblue", Rgb(0x6A5ACD)},
    {"slategray", Rgb(0x708090)},
    {"slategrey", Rgb(0x708090)},
    {"snow", Rgb(0xFFFAFA)},
    {"springgreen", Rgb(0x00FF7F)},
    {"steelblue", Rgb(0x4682B4)},
    {"tan", Rgb(0xD2B48C)},
    {"teal", Rgb(0x008080)},
    {"thistle", Rgb(0xD8BFD8)},
    {"tomato", Rgb(0xFF6347)},
    {"turquoise", Rgb(0x40E0D0)},
    {"violet", Rgb(0xEE82EE)},
    {"wheat", Rgb(0xF5DEB3)},
    {"white", Rgb(0xFFFFFF)},
    {"whitesmoke", Rgb(0xF5F5F5)},
    {"yellow", Rgb(0xFFFF00)},
    {"yellowgreen", Rgb(0x9ACD32)},
};
