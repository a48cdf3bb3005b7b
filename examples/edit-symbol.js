// Edits an integer symbol in the library's data editor dialog, as a user would: run it with
//   velt-script --workspace examples/sample-workspace.json examples/edit-symbol.js

// The first CQuenInt32 symbol of the registered tables.
function findIntegerSymbol() {
    for (var t = 1; t <= Quen.QuenTableRegGetSize(); ++t) {
        var table = Quen.QuenTableRegGetTable(t);
        for (var s = 1; s <= Quen.QuenPbDefGetSize(table); ++s) {
            var symbol = Quen.QuenPbDefGetParm(table, s);
            if (Quen.QuenParmGetType(symbol) === "CQuenInt32")
                return symbol;
        }
    }
    return 0;
}

var symbol = findIntegerSymbol();
if (!symbol)
    throw new Error("the workspace has no integer symbol");
print("Editing " + Quen.QuenParmGetName(symbol) + " = "
      + Quen.QuenInt32GetValue(Quen.QuenParmGetData(symbol)));

// Once the dialog shows: type a new value and press OK.
Velt.onModal(function (dialog) {
    var entry = Velt.find(dialog, "EntryText");
    entry.selectAll();
    Velt.keyClicks(entry, "42");
    Velt.find(dialog, "OKCommand").click();
});
var accepted = Velt.editParameter(symbol, false, true); // symbol mode: a table's symbol
print("Accepted: " + accepted);
print("New value: " + Quen.QuenInt32GetValue(Quen.QuenParmGetData(symbol)));

// The same symbol through its structured fields.
var fields = Velt.fields();
fields.AttachParameter(symbol);
for (var i = 0; i < fields.Count; ++i) {
    var field = fields.Item(i);
    var line = "  ".repeat(field.Indentation) + field.Caption + ": " + field.Text;
    if (field.HasEnumeration) {
        var choices = [];
        for (var c = 1; c <= field.Enumeration.Count; ++c)
            choices.push(field.Enumeration.Text(c));
        line += "  (" + choices.join(" | ") + ")";
    }
    print(line);
}
