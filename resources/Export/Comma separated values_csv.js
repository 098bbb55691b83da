// Comma separated values: the tasks of an exported category branch, one row
// each, for a spreadsheet.
//
// Run by the planner as
//   WScript.exe "<this script>" "<plan fragment.xml>" "<file.csv>" /Filter:"n" /ProjectPath:"..." /TransparentCategories:"n"
// Filter: 0 all tasks, 1 those to do, 2 new, 3 in progress, 4 completed.
// The file is UTF-16 with its byte order mark; fields holding a comma, a
// quote or a line break are quoted, quotes doubled.
// The script ends with 0 when it wrote the file, else with a code of its own:
// a script host shows no window, so nothing may stop it with a message box.

var kColumns = ["Category", "Task", "Status", "Deadline", "Importance", "Estimation", "Description"];
var kStatusNames = ["New", "In progress", "Completed"];

// "/Name:value" arguments arrive as plain arguments on every script host.
function NamedArgument(name, fallback) {
    var prefix = "/" + name.toLowerCase() + ":";
    for (var i = 2; i < WScript.Arguments.length; ++i) {
        var argument = WScript.Arguments(i);
        if (argument.substr(0, prefix.length).toLowerCase() == prefix)
            return argument.substr(prefix.length);
    }
    return fallback;
}

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

function Field(text) {
    text = String(text);
    if (/[",\r\n]/.test(text))
        return "\"" + text.replace(/"/g, "\"\"") + "\"";
    return text;
}

function Passes(filter, status) {
    switch (filter) {
    case 1: return status != 2;
    case 2: return status == 0;
    case 3: return status == 1;
    case 4: return status == 2;
    default: return true;
    }
}

function Attribute(element, name) {
    var value = element.getAttribute(name);
    return value == null ? "" : value;
}

function ChildText(element, name) {
    var child = element.selectSingleNode(name);
    return child == null ? "" : child.text;
}

// Depth first, in document order, each task under its category's path.
function WriteBranch(element, path, filter, rows) {
    for (var node = element.firstChild; node != null; node = node.nextSibling) {
        if (node.nodeType != 1)
            continue;
        if (node.nodeName == "CATEGORY") {
            var name = Attribute(node, "NAME");
            WriteBranch(node, path == "" ? name : path + "\\" + name, filter, rows);
        } else if (node.nodeName == "TASK") {
            var status = parseInt(Attribute(node, "STATUS"), 10);
            if (isNaN(status))
                status = 0;
            if (!Passes(filter, status))
                continue;
            rows.push([path, Attribute(node, "NAME"), kStatusNames[status] || String(status),
                       Attribute(node, "DEADLINE"), Attribute(node, "IMPORTANCE"), Attribute(node, "ESTIMATION"),
                       ChildText(node, "DESCRIPTION")]);
        }
    }
}

function Main() {
    if (WScript.Arguments.length < 2)
        return 2;
    var document = NewXmlDocument();
    if (document == null || !document.load(WScript.Arguments(0)) || document.documentElement == null)
        return 3;
    var filter = parseInt(NamedArgument("Filter", "0"), 10);
    var rows = [kColumns];
    WriteBranch(document.documentElement, "", isNaN(filter) ? 0 : filter, rows);

    var files = new ActiveXObject("Scripting.FileSystemObject");
    var stream = files.CreateTextFile(WScript.Arguments(1), true, true);
    for (var i = 0; i < rows.length; ++i) {
        var fields = [];
        for (var j = 0; j < rows[i].length; ++j)
            fields.push(Field(rows[i][j]));
        stream.Write(fields.join(",") + "\r\n");
    }
    stream.Close();
    return 0;
}

var code;
try {
    code = Main();
} catch (e) {
    code = 1;
}
WScript.Quit(code);
