#pragma once
// A small lot table for the table tests: an integer key, a description, a fixed-point value,
// a brand and a calculated double of the value. Every event is recorded by name, OnCalcFields
// with the key of the row it computes ("OnCalcFields:3").

#include <functional>
#include <string>
#include <vector>

#include "platform/regional_settings.h"
#include "store/TAggregateField.h"
#include "store/TBCDField.h"
#include "store/TDataSource.h"
#include "store/TFloatField.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/TStringField.h"
#include "store/data_link.h"

namespace velmora::store::testing {

class LotTable {
public:
    LotTable() : separators_({',', '.'}) {
        id.SetRequired(true);
        valor.SetDisplayFormat(",0.0000");
        dobro.SetFieldKind(fkCalculated);
        table.OnCalcFields = [this](TTableBase&) {
            Record("OnCalcFields:" + id.AsText());
            if (!valor.IsNullValue()) dobro.SetAsNumber(valor.AsNumber() * 2);
        };
    }

    // Creates the table and fills it with rows keyed 1..count, before recording starts.
    void Create(int count) {
        table.CreateEmpty();
        for (int key = 1; key <= count; ++key) Append(key, "lote " + std::to_string(key));
        table.GoFirst();
    }

    void Append(int key, const std::string& description) {
        table.AppendRow();
        id.SetAsInt32(key);
        descr.SetAsText(description);
        valor.SetAsInt32(key * 10);
        table.PostRow();
    }

    // From now on every event is recorded into `events`.
    void RecordEvents() {
        events.clear();
        auto named = [this](const char* name) {
            return [this, name](TTableBase&) { Record(name); };
        };
        table.BeforeOpen = named("BeforeOpen");
        table.AfterOpen = named("AfterOpen");
        table.BeforeClose = named("BeforeClose");
        table.AfterClose = named("AfterClose");
        table.BeforeInsert = named("BeforeInsert");
        table.AfterInsert = named("AfterInsert");
        table.BeforeEdit = named("BeforeEdit");
        table.AfterEdit = named("AfterEdit");
        table.BeforePost = named("BeforePost");
        table.AfterPost = named("AfterPost");
        table.BeforeCancel = named("BeforeCancel");
        table.AfterCancel = named("AfterCancel");
        table.BeforeDelete = named("BeforeDelete");
        table.AfterDelete = named("AfterDelete");
        table.BeforeScroll = named("BeforeScroll");
        table.AfterScroll = named("AfterScroll");
        table.OnNewRecord = named("OnNewRecord");
        recording_ = true;
    }

    void Record(const std::string& event) {
        if (recording_) events.push_back(event);
    }

    // The keys of the rows of the view, in order, walked with GoFirst/GoNext.
    std::vector<int> Keys() {
        std::vector<int> keys;
        for (table.GoFirst(); !table.AtEnd(); table.GoNext()) keys.push_back(id.AsInt32());
        return keys;
    }

    platform::ScopedSeparators separators_;
    std::vector<std::string> events;  // before the table, which fires events when destroyed
    bool recording_ = false;
    TMemTable table{"CDSLotes"};
    TIntegerField& id = table.AddField<TIntegerField>("id_item");
    TStringField& descr = table.AddField<TStringField>("descr_lote", 60);
    TBCDField& valor = table.AddField<TBCDField>("valor", 15, 4);
    TStringField& marca = table.AddField<TStringField>("marca", 30);
    TFloatField& dobro = table.AddField<TFloatField>("dobro");
};

// A bound control that shows `rows` rows and records what the table tells it.
class RecordingLink : public DataLink {
public:
    int RowsShown() const override { return rows; }
    void SetRows(int count) {
        rows = count;
        RowsShownChanged();
    }
    void RowsChanged() override { calls.push_back("rows"); }
    void FieldChanged(TField& field) override { calls.push_back("field:" + field.FieldName()); }
    void FlushPendingText() override {
        if (pendingText) pendingText();
        pendingText = nullptr;
    }
    bool FocusField(TField& field) override {
        focused = &field;
        return true;
    }

    int rows = 1;
    std::vector<std::string> calls;
    std::function<void()> pendingText;  // what the control writes when flushed
    TField* focused = nullptr;
};

}  // namespace velmora::store::testing
