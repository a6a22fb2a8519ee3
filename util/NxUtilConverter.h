// The value grammar of every parameter: integers with keywords, numbers, booleans,
// colours, fonts, enumerations, insets, dimensions, points, dates, images, lists and
// vectors of cells, and back; plus the lookup of a component's parameters and the
// reader of parameter files. Conversions never throw (checkEnum excepted): bad
// values print one line on std::cerr and give the default.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/base/Color.h"
#include "host/base/Date.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"
#include "host/runtime/Value.h"
#include "util/NxVector.h"
#include "util/TextUtil.h"

namespace host {
class Applet;
class Component;
class Image;
}  // namespace host

namespace norvex::util {

class NxConverter;

using ImagePtr = std::shared_ptr<host::Image>;
using OptFont = std::optional<host::Font>;
using OptDate = std::optional<host::Date>;

class NxUtilConverter {
public:
    NxUtilConverter() = delete;

    // The converter through which list operations convert their elements, so that an
    // installed subclass changes the rule inside lists as well. Never null; setting
    // null restores a plain NxConverter.
    static std::shared_ptr<NxConverter> getConverter();
    static void setConverter(std::shared_ptr<NxConverter> c);

    // Integers: "maxint" 2147483647, "novalue" and "default" -999, "variable" -998
    // (any letter case); otherwise decimal; a bad text is printed and gives def.
    static int toInt(const OptString& s, int def);
    static double toDouble(const OptString& s, double def);
    // True for "true" in any case, false for other text, def for null.
    static bool toBoolean(const OptString& s, bool def);
    static bool toBoolean(host::Applet* app, host::Component* comp, const OptString& comp_name,
                          const std::string& param, bool def);

    // Lists split at ',' (or delim), tokens trimmed; null for a null text. An empty
    // element (two delimiters in a row) is stored as "" / 0.
    static std::optional<std::vector<std::string>> toStringList(const OptString& s);
    static std::optional<std::vector<std::string>> toStringList(const OptString& s, char delim);
    static std::optional<std::vector<int>> toIntList(const OptString& s, char delim);
    static std::vector<int> toIntList(const OptString& s, char delim, const std::vector<int>& def);
    // Integer (Int) and double (Double) value objects.
    static std::optional<std::vector<host::Value>> toIntegerList(const OptString& s, char delim);
    static std::vector<host::Value> toIntegerList(const OptString& s, char delim, const std::vector<host::Value>& def);
    static std::optional<std::vector<host::Value>> toDoubleList(const OptString& s, char delim);
    static std::vector<host::Value> toDoubleList(const OptString& s, char delim, const std::vector<host::Value>& def);

    // Colours: a name of the table, #rrggbb, #rrrrggggbbbb, a packed #hex below 7
    // characters (so "#ff" is blue), or r-g-b. Unreadable texts give null silently.
    static host::OptColor toColor(const OptString& s);
    // def only for a null text.
    static host::OptColor toColor(const OptString& s, const host::OptColor& def);
    // Comma-separated colours; a bad one prints "Error parsing '..." and leaves a null entry.
    static std::optional<std::vector<host::OptColor>> toColorList(const OptString& s);
    static std::vector<host::OptColor> toColorList(const OptString& s, const std::vector<host::OptColor>& def);
    // The first table name of the colour, else "r-g-b"; null for null.
    static OptString fromColor(const host::OptColor& c);
    static std::string fromColorList(const std::optional<std::vector<host::OptColor>>& list);

    // Fonts: name-style-size (exactly three parts); null otherwise.
    static OptFont toFont(const OptString& s);
    static OptFont toFont(const OptString& s, const OptFont& def);
    static std::string fromFont(const host::Font& f);

    // Enumerations. Matching ignores letter case; without a match the text is read
    // as a decimal integer, else "Error converting '" + s + "' to " + type and def.
    static int toEnum(const OptString& s, const std::string& type, const std::vector<std::string>& strings,
                      const std::vector<int>& values, int def);
    static int64_t toEnum(const OptString& s, const std::string& type, const std::vector<std::string>& strings,
                          const std::vector<int64_t>& values, int64_t def);
    // Match only: no numeric fallback, no message.
    static int toEnum(const OptString& s, const std::vector<std::string>& strings, const std::vector<int>& values,
                      int def);
    // Two-level table: the row whose first entry is param; entry j (from 1) gives values[row][j-1].
    static int toEnum(const OptString& s, const std::string& type, const std::string& param,
                      const std::vector<std::vector<std::string>>& strings,
                      const std::vector<std::vector<int>>& values, int def);
    static std::vector<int> toEnumList(const OptString& s, const std::string& type,
                                       const std::vector<std::string>& strings, const std::vector<int>& values,
                                       const std::vector<int>& def);
    // The name of the first matching value; null when none.
    static OptString fromEnum(int value, const std::vector<std::string>& strings, const std::vector<int>& values);
    static OptString fromEnum(int64_t value, const std::vector<std::string>& strings,
                              const std::vector<int64_t>& values);
    // Two-level: null when no row names param; the decimal value when the row lacks it.
    static OptString fromEnum(int value, const std::string& param, const std::vector<std::vector<std::string>>& strings,
                              const std::vector<std::vector<int>>& values);
    // std::invalid_argument("invalid " + param + ": " + value) unless value is in values.
    static void checkEnum(int value, const std::string& param, const std::vector<int>& values);

    // top,left,bottom,right; def unless exactly four integers.
    static host::Insets toInsets(const OptString& s, const host::Insets& def);
    static std::string fromInsets(const host::Insets& i);
    // "<width>x<height>"; def otherwise.
    static host::Dimension toDimension(const OptString& s, const host::Dimension& def);
    // "x,y"; def otherwise.
    static host::Point toPoint(const OptString& s, const host::Point& def);
    // The date the date parser reads; def for null, and (printed) for an unreadable text.
    static OptDate toDate(const OptString& s, const OptDate& def);
    // The date parser: milliseconds since the epoch, "yyyy-mm-dd[ hh:mm[:ss]]",
    // "mm/dd/yyyy[ hh:mm[:ss]]" (local time), and the date's own "Tue Dec 08 01:06:00 UTC 2026".
    static OptDate parseDate(const std::string& s);

    // Images: relative to the applet's document base when comp is inside an applet,
    // else a file: URL under the working directory. Waits for the image when comp is
    // given; a failure prints "Error loading image " + name and gives null (or def).
    static ImagePtr toImage(host::Component* comp, const OptString& file);
    static ImagePtr toImage(host::Component* comp, const OptString& file, const ImagePtr& def);
    static std::vector<ImagePtr> toImageList(host::Component* comp, const OptString& s,
                                             const std::vector<ImagePtr>& def);
    // True when the image loaded without error.
    static bool waitForImage(host::Component* comp, const ImagePtr& im);

    // Rows of cells (ConvertUtil::toVector / toVectorFromCSV); def for a null result.
    static NxVectorPtr toVector(host::Component* comp, const OptString& s, char delim, bool convert);
    static NxVectorPtr toVector(host::Component* comp, const OptString& s, char delim, bool convert,
                                const NxVectorPtr& def);
    static NxVectorPtr toVectorFromCSV(host::Component* comp, const OptString& s);
    static NxVectorPtr toVectorFromCSV(host::Component* comp, const OptString& s, const NxVectorPtr& def);

    // Backslash-n pairs become newlines (a text without them is returned unchanged).
    static OptString toNewLine(const OptString& s);
    // Newlines become backslash-n.
    static OptString fromNewLine(const OptString& s);
    // Backslash-n to newline, backslash-c to c; an empty result gives null.
    static OptString removeEscape(const OptString& s);
    // Vectors join their elements' string forms with ","; null gives ""; newlines are
    // then written as backslash-n.
    static std::string toString(const host::Value& o);
    // The string form trimmed and cut at the first NUL; null for null.
    static OptString trim(const host::Value& o);

    // comp_name + "." + param first, then param; comp's parameter-file table before the
    // applet's parameters; newlines removed. "paramFile" is not looked up in a file.
    static OptString getParam(host::Applet* app, host::Component* comp, const OptString& comp_name,
                              const std::string& param);
    static OptString getParam(host::Applet* app, host::Component* comp, const std::string& key);
    // Installs the <param name=... value=...> tags of source as comp's parameter
    // table; a null source removes the table.
    static void setParamSource(host::Component* comp, const OptString& source);
    // Whether comp has a parameter-file table.
    static bool hasParamSource(const host::Component* comp);

    static void error(const std::string& msg);
    // "Error parsing '" + token + "' in " + s.
    static void error(const std::string& token, const std::string& s);
};

}  // namespace norvex::util
