#pragma once
// A data source joins bound controls (their DataLinks) to one table. The table announces
// through its sources; the controls reach the table only through theirs.

#include <vector>

namespace velmora::store {

class DataLink;
class TField;
class TTableBase;

class TDataSource {
public:
    explicit TDataSource(TTableBase* dataSet = nullptr);
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;
    // Detaches its links and leaves its table.
    ~TDataSource();

    TTableBase* DataSet() const { return dataSet_; }
    // Moves the source (and its links) to another table, or to none.
    void SetDataSet(TTableBase* dataSet);

    const std::vector<DataLink*>& Links() const { return links_; }
    // The most rows any link shows; 0 without links.
    int RowsShown() const;

    // Called by the table.
    void AnnounceActive();
    void AnnounceRows();
    void AnnounceState();
    void AnnounceField(TField& field);
    void SettleLinks();
    void FlushLinks();
    bool FocusField(TField& field);

private:
    friend class DataLink;
    void Attach(DataLink& link);
    void Detach(DataLink& link);
    void RowsShownChanged();
    template <typename Call>
    void ForEachLink(Call call);

    TTableBase* dataSet_ = nullptr;
    std::vector<DataLink*> links_;
};

}  // namespace velmora::store
