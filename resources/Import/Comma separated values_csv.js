// Comma separated values: tasks read from a spreadsheet's rows, as the
// export script of the same name writes them, become a plan fragment.
//
// Run by the planner as
//   WScript.exe "<this script>" "<file.csv>" "<plan fragment.xml>"
// The first row names the columns; "Task" is required, "Category" (a path of
// names joined by "\"), "Status" ("New", "In progress", "Completed" or 0 to
// 2), "Deadline", "Importance", "Estimation" and "Description" are taken when
// present. The file may be UTF-16 with its byte order mark, or ANSI text.
// The script ends with 0 when it wrote the fragment, else with a code of its
// own and, where it knows one, the reason in words as its output, which the
// planner shows: a script host shows no window, so nothing may stop it with a
// message box. Each task names its row (ROW, the header being row 1), so that
// a value the planner refuses is told with the row that holds it.

var kStatusNames = ["New", "In progress", "Completed"];

function NewXmlDocument() {
    var names = ["Msxml2.DOMDocument.6.0", "Msxml2.DOMDocument.4.0", "Msxml2.DOMDocument.3.0"];
    for (var i = 0; i < names.length; ++i) {
        try {
            var document = new ActiveXObject(names[i]);
            document.async = false;
            return document;
        } catch (e) {
        }
    }
    return null;
}

function ReadText(path) {
    var files = new ActiveXObject("Scripting.FileSystemObject");
    if (files.GetFile(path).Size == 0)
        return "";
    // Read as ANSI first: the UTF-16 mark shows as the two characters FF FE.
    var stream = files.OpenTextFile(path, 1, false, 0);
    var head = stream.AtEndOfStream ? "" : stream.Read(2);
    stream.Close();
    var unicode = head.length == 2 && head.charCodeAt(0) == 0xFF && head.charCodeAt(1) == 0xFE;
    stream = files.OpenTextFile(path, 1, false, unicode ? -1 : 0);
    var text = stream.AtEndOfStream ? "" : stream.ReadAll();
    stream.Close();
    if (text.charCodeAt(0) == 0xFEFF)
        text = text.substr(1);
    return text;
}

// Rows of fields; a quoted field may hold commas, doubled quotes and line breaks.
function ParseCsv(text) {
    var rows = [], row = [], field = "", quoted = false, i = 0;
    while (i < text.length) {
        var c = text.charAt(i);
        if (quoted) {
            if (c == "\"") {
                if (text.charAt(i + 1) == "\"") {
                    field += "\"";
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == "\"") {
            quoted = true;
        } else if (c == ",") {
            row.push(field);
            field = "";
        } else if (c == "\r" || c == "\n") {
            if (c == "\r" && text.charAt(i + 1) == "\n")
                ++i;
            row.push(field);
            rows.push(row);
            row = [];
            field = "";
        } else {
            field += c;
        }
        ++i;
    }
    if (field != "" || row.length > 0) {
        row.push(field);
        rows.push(row);
    }
    return rows;
}

// The reason the file cannot be imported, written where the fragment would go.
function Refuse(code, reason) {
    try {
        var files = new ActiveXObject("Scripting.FileSystemObject");
        var output = files.CreateTextFile(WScript.Arguments(1), true, true);
        output.WriteLine(reason);
        output.Close();
    } catch (e) {
    }
    return code;
}

function StatusCode(text) {
    for (var i = 0; i < kStatusNames.length; ++i)
        if (text.toLowerCase() == kStatusNames[i].toLowerCase())
            return String(i);
    return /^[0-2]$/.test(text) ? text : "0";
}

function Main() {
    if (WScript.Arguments.length < 2)
        return 2;
    var rows = ParseCsv(ReadText(WScript.Arguments(0)));
    if (rows.length == 0)
        return Refuse(4, "The file is empty.");
    var column = {};
    for (var c = 0; c < rows[0].length; ++c)
        column[rows[0][c]] = c;
    if (column["Task"] == null)
        return Refuse(5, "Its first row names no column \"Task\".");

    var document = NewXmlDocument();
    if (document == null)
        return 3;
    var root = document.createElement("ROOT");
    document.appendChild(root);
    var categories = {}, nextId = 1;
    function CategoryOf(path) {
        if (path == "")
            return root;
        if (categories[path])
            return categories[path];
        var cut = path.lastIndexOf("\\");
        var parent = CategoryOf(cut < 0 ? "" : path.substr(0, cut));
        var category = document.createElement("CATEGORY");
        category.setAttribute("ID", String(nextId++));
        category.setAttribute("NAME", cut < 0 ? path : path.substr(cut + 1));
        parent.appendChild(category);
        categories[path] = category;
        return category;
    }
    // U+FFFE and U+FFFF, which XML cannot hold, are left out here: the XML
    // writer under Wine writes them into a text as bytes that are no UTF-8.
    // The planner leaves out the other characters XML cannot hold.
    function Cell(row, name) {
        var index = column[name];
        return index == null || index >= row.length ? "" : row[index].replace(/[\uFFFE\uFFFF]/g, "");
    }

    for (var r = 1; r < rows.length; ++r) {
        var row = rows[r];
        var name = Cell(row, "Task");
        if (name == "")
            continue;
        var importance = Cell(row, "Importance");
        if (importance != "" && !/^[0-3]$/.test(importance))
            return Refuse(6, "Row " + (r + 1) + ": the Importance \"" + importance.substr(0, 40) +
                                 "\" is none of 0, 1, 2 and 3.");
        var task = document.createElement("TASK");
        task.setAttribute("ID", String(nextId++));
        task.setAttribute("ROW", String(r + 1));
        task.setAttribute("NAME", name);
        task.setAttribute("STATUS", StatusCode(Cell(row, "Status")));
        var optional = ["Deadline", "Importance", "Estimation"];
        for (var o = 0; o < optional.length; ++o)
            if (Cell(row, optional[o]) != "")
                task.setAttribute(optional[o].toUpperCase(), Cell(row, optional[o]));
        var description = document.createElement("DESCRIPTION");
        description.text = Cell(row, "Description");
        task.appendChild(description);
        CategoryOf(Cell(row, "Category")).appendChild(task);
    }
    document.save(WScript.Arguments(1));
    return 0;
}

var code;
try {
    code = Main();
} catch (e) {
    code = 1;
}
WScript.Quit(code);
