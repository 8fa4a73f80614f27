#include "model/ApplicationSearchData.h"

#include <algorithm>

#include "model/SearchText.h"

namespace vantor {

std::shared_ptr<const ApplicationSearchData> ApplicationSearchData::prepare(std::string_view title,
                                                                            SearchFields fields) {
    auto data = std::make_shared<ApplicationSearchData>();
    data->title_ = SearchableText::prepare(title);
    if (!fields.localizedGenericName.empty()) {
        data->genericName_ = SearchableText::prepare(fields.localizedGenericName);
    }
    std::string foldedTitle = data->title_.folded();
    for (const std::string& name : fields.names) {
        std::string folded = foldForSearch(name);
        // A name that is the title again, or empty, adds nothing to look at.
        if (folded.empty() || folded == foldedTitle ||
            std::find(data->foldedNames_.begin(), data->foldedNames_.end(), folded) !=
                data->foldedNames_.end()) {
            continue;
        }
        data->foldedNames_.push_back(std::move(folded));
    }
    data->foldedProgram_ = foldForSearch(fields.program);
    data->fields_ = std::move(fields);
    return data;
}

bool ApplicationSearchData::matchesOtherFields(const SearchQuery& query) const {
    if (query.empty()) {
        return false;
    }
    if (!foldedProgram_.empty() && foldedProgram_.starts_with(query.folded)) {
        return true;
    }
    for (const std::string& name : foldedNames_) {
        if (searchMatches(name, query.folded)) {
            return true;
        }
    }
    return genericName_.matches(query);
}

}  // namespace vantor
